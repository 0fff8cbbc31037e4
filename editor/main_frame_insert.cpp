// The insert commands of the main frame: objects with their property
// dialog, objects from the default-object list, and new containers.
#include <new>

#include "editor/insert_object_dialog.h"
#include "editor/main_frame.h"
#include "editor/skin_view.h"
#include "model/skin_object_kind.h"
#include "ui/ctree_ctrl.h"

namespace {

// COLORREF values of the VU meter's default colours.
const COLORREF kVuBackground = 0x000000;
const COLORREF kVuForeground = 0x00FF00;  // RGB(0, 255, 0)
const uint16_t kVuSegmentSize = 1024;
const uint16_t kVuBarsCount = 20;

std::unique_ptr<SkinObject> NewObject(uint32_t kind, const char* name) {
  return std::unique_ptr<SkinObject>(new (std::nothrow) SkinObject(kind, name));
}

}  // namespace

void CMainFrame::OnInsertText() { InsertWithDialog(NewObject(SkinObjectKind::kText, "")); }

void CMainFrame::OnInsertShortcut() { InsertWithDialog(NewObject(SkinObjectKind::kShortcut, "")); }

void CMainFrame::OnInsertAnimation() {
  std::unique_ptr<SkinObject> object = NewObject(SkinObjectKind::kAnimation, "Animation");
  if (object == nullptr) return;
  object->block.SetPosition(RECT{0, 0, 50, 50});
  object->block.SetRepeat(true);
  InsertWithDialog(std::move(object));
}

void CMainFrame::OnInsertVUMeter() {
  std::unique_ptr<SkinObject> object = NewObject(SkinObjectKind::kVUMeter, "VUMeter");
  if (object == nullptr) return;
  object->block.SetPosition(RECT{0, 0, 100, 50});
  object->block.SetSegmentSize(kVuSegmentSize);
  object->block.SetBarsCount(kVuBarsCount);
  object->block.SetVuBackgroundColor(kVuBackground);
  object->block.SetVuForegroundColor(kVuForeground);
  object->block.SetVuMode(ObjectBlock::kVuSpectrum);
  InsertWithDialog(std::move(object));
}

bool CMainFrame::RunObjectDialog(SkinObject& object, bool creating) {
  ObjectDialogs& dialogs = Dialogs();
  switch (object.kind) {
    case SkinObjectKind::kButton:
    case SkinObjectKind::kShortcut:
      return dialogs.SkinButton(this, object, creating);
    case SkinObjectKind::kListBox:
      return dialogs.SkinList(this, object);
    case SkinObjectKind::kSlider:
    case SkinObjectKind::kCustomSlider:
      return dialogs.SkinSlider(this, object);
    case SkinObjectKind::kDriveList:
      return dialogs.SkinDrives(this, object);
    case SkinObjectKind::kText:
      return dialogs.SkinText(this, object);
    case SkinObjectKind::kAnimation:
      return dialogs.SkinAnimation(this, object);
    case SkinObjectKind::kVUMeter:
      return dialogs.SkinVUMeter(this, object);
    default:
      // Menu elements, the alphablend background and unknown kinds have no
      // dialog here.
      return false;
  }
}

void CMainFrame::InsertWithDialog(std::unique_ptr<SkinObject> object) {
  SkinContainer* container = SelectedContainer();
  if (object == nullptr || container == nullptr) return;
  if (!RunObjectDialog(*object, true)) return;
  if (!AppendObject(*container, object)) return;
  if (m_skinView != nullptr) m_skinView->Rebuild();
}

bool CMainFrame::AppendObject(SkinContainer& container, std::unique_ptr<SkinObject>& object) {
  SkinObject* appended = container.AppendObject(std::move(object));
  if (appended == nullptr) return false;
  HTREEITEM containerItem = m_tree.FindContainer(&container);
  if (containerItem != nullptr) {
    m_changingTree = true;
    m_tree.AddObject(containerItem, &container, appended);
    GetTreeCtrl().Expand(containerItem, TVE_EXPAND);
    m_changingTree = false;
  }
  return true;
}

void CMainFrame::OnInsertObject() {
  SkinContainer* container = SelectedContainer();
  if (container == nullptr) return;
  const std::vector<EditorConfiguration::DefaultObject>& entries = m_configuration.DefaultObjects();
  CInsertObjectDialog dialog(entries, m_treeImages.GetSafeHandle(), this);
  if (dialog.DoModal() != IDOK) return;
  const HTREEITEM previous = m_tree.Selected();
  bool added = false;
  for (size_t index : dialog.Selection()) {
    const EditorConfiguration::DefaultObject& entry = entries[index];
    std::unique_ptr<SkinObject> object = NewObject(entry.kind, entry.name.c_str());
    if (object == nullptr) break;
    if (entry.kind == SkinObjectKind::kListBox || entry.kind == SkinObjectKind::kDriveList)
      object->visible = 0;
    if (!AppendObject(*container, object)) break;
    added = true;
  }
  if (!added) return;
  SelectQuietly(previous);
  if (m_skinView != nullptr) m_skinView->Rebuild();
}

void CMainFrame::OnNewContainer() {
  if (m_skinView != nullptr) m_skinView->SyncPositions();
  ObjectDialogs::ContainerResult result;
  if (!Dialogs().Container(this, nullptr, m_skin, m_configuration.ContainerNames(), result)) return;
  if (result.name.empty()) return;
  SkinContainer* container = m_skin.AddContainer(result.name);
  if (container == nullptr) return;
  container->alphablendOffset = result.alphablendOffset;
  container->background.Copy(result.background);
  container->windowShape = result.windowShape;
  m_changingTree = true;
  HTREEITEM item = m_tree.AddContainer(container);
  m_changingTree = false;
  if (item == nullptr) return;
  GetTreeCtrl().SelectItem(item);
  ShowContainer(container);
}
