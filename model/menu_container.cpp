#include "model/menu_container.h"

#include <utility>

bool TakeMenuContainers(Skin& skin, SkinContainer& menu) {
  std::unique_ptr<SkinContainer> last;
  for (size_t i = skin.containers.size(); i-- > 0;) {
    if (!skin.containers[i] || !skin.containers[i]->HasName(SkinContainer::kMenuContainerName)) {
      continue;
    }
    std::unique_ptr<SkinContainer> taken = skin.RemoveContainer(i);
    if (!last) last = std::move(taken);
  }
  if (!last) return false;
  menu.CopyFrom(*last);
  // The file may spell the name in any case; the editor writes it its way.
  menu.name = SkinContainer::kMenuContainerName;
  return true;
}

bool SaveWithMenuContainer(Skin& skin, std::unique_ptr<SkinContainer>& menu,
                           const std::string& path) {
  const bool appended = menu != nullptr;
  if (appended) skin.containers.push_back(std::move(menu));
  const bool saved = path.empty() ? skin.Save() : skin.Save(path);
  if (appended) {
    menu = std::move(skin.containers.back());
    skin.containers.pop_back();
  }
  return saved;
}
