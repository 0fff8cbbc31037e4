// The edit commands of the main frame: property dialogs of objects and
// containers, Delete, the container's bitmap and region, the skin menu and
// the movie area.
#include <algorithm>
#include <cctype>

#include "editor/about_dialog.h"
#include "editor/main_frame.h"
#include "editor/skin_view.h"
#include "model/skin_object_kind.h"
#include "ui/cfile_dialog.h"
#include "ui/ctree_ctrl.h"

namespace {

// The image format a file's extension names, or -1 for any other.
int ImageFormatOfExtension(std::string extension) {
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "bmp") return DibImage::kFormatBmp;
  if (extension == "png") return DibImage::kFormatPng;
  return -1;
}

}  // namespace

void CMainFrame::OnEditItem() {
  const ObjectTree::Node* node = SelectedNode();
  if (node == nullptr) return;
  if (node->object != nullptr) {
    EditObject(m_tree.Selected(), *node->object);
  } else {
    EditContainer(*node->container);
  }
}

void CMainFrame::OnEditObject() {
  const ObjectTree::Node* node = SelectedNode();
  if (node != nullptr && node->object != nullptr) EditObject(m_tree.Selected(), *node->object);
}

void CMainFrame::OnEditContainer() {
  SkinContainer* container = SelectedContainer();
  if (container != nullptr) EditContainer(*container);
}

void CMainFrame::EditObject(HTREEITEM item, SkinObject& object) {
  if (m_skinView != nullptr) m_skinView->SyncPositions();
  if (!RunObjectDialog(object, false)) return;
  // The dialog may have renamed the object or turned a slider into a
  // custom slider.
  m_tree.Refresh(item);
  if (m_skinView != nullptr) m_skinView->Rebuild();
}

void CMainFrame::EditContainer(SkinContainer& container) {
  ObjectDialogs::ContainerResult result;
  if (!Dialogs().Container(this, &container, m_skin, m_configuration.ContainerNames(), result))
    return;
  // The live controls refer to the objects, and the alphablend background
  // may add or remove one.
  if (m_skinView != nullptr) m_skinView->DestroyControls();
  container.SetAlphaBackground(&result.alphaBackground);
  if (!result.name.empty()) container.name = result.name;
  container.alphablendOffset = result.alphablendOffset;
  container.background.Copy(result.background);
  container.windowShape = result.windowShape;
  if (m_skin.FindContainer(SkinContainer::kMainWindowName) == nullptr) {
    // Renamed away from MainWindow: the editor always keeps one.
    RebuildTree();
    SelectQuietly(m_tree.FindContainer(&container));
  } else {
    m_tree.Refresh(m_tree.FindContainer(&container));
  }
  if (m_skinView != nullptr) {
    m_skinView->SetContainer(&container);
    m_skinView->Rebuild();
  }
}

void CMainFrame::OnDelete() {
  const HTREEITEM item = m_tree.Selected();
  const ObjectTree::Node* node = m_tree.NodeOf(item);
  if (node == nullptr) return;
  if (node->object != nullptr) {
    DeleteObject(item, *node->container, *node->object);
  } else {
    DeleteContainer(item, *node->container);
  }
}

void CMainFrame::DeleteContainer(HTREEITEM item, SkinContainer& container) {
  if (container.HasName(SkinContainer::kMainWindowName)) return;
  const int index = m_skin.IndexOfContainer(&container);
  if (index < 0) return;
  ShowNoContainer();
  m_changingTree = true;
  m_tree.Remove(item);
  // Nothing is selected afterwards, matching the view, which shows nothing.
  GetTreeCtrl().SelectItem(nullptr);
  m_changingTree = false;
  m_skin.DeleteContainer(static_cast<size_t>(index));
}

void CMainFrame::DeleteObject(HTREEITEM item, SkinContainer& container, SkinObject& object) {
  const int index = container.IndexOfObject(&object);
  if (index < 0) return;
  // The live controls draw from the object's images.
  if (m_skinView != nullptr) m_skinView->DestroyControls();
  m_changingTree = true;
  m_tree.Remove(item);
  m_changingTree = false;
  container.DeleteObject(static_cast<size_t>(index));
  SelectQuietly(m_tree.FindContainer(&container));
  if (m_skinView != nullptr) m_skinView->Rebuild();
}

void CMainFrame::OnLoadBitmap() {
  SkinContainer* container = SelectedContainer();
  if (container == nullptr) return;
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kImageFileFilter,
                     this);
  if (dialog.DoModal() != IDOK) return;
  const int format = ImageFormatOfExtension(dialog.GetFileExt());
  if (format < 0) return;
  // A failed load leaves the background as it was.
  if (!container->background.Load(dialog.GetPathName().c_str(), format)) return;
  if (m_skinView == nullptr) return;
  m_skinView->SyncPositions();
  m_skinView->Rebuild();
}

void CMainFrame::OnWindowRegion() {
  SkinContainer* container = SelectedContainer();
  if (container == nullptr || !container->background.IsValid()) return;
  WindowRegion shape = container->windowShape;
  if (!Dialogs().Region(this, container->background, shape)) return;
  container->windowShape = shape;
  if (m_skinView != nullptr) m_skinView->Invalidate();
}

void CMainFrame::OnSkinMenu() { Dialogs().SkinMenu(this, *m_menuContainer); }

void CMainFrame::OnMovieArea() {
  SkinContainer* container = SelectedContainer();
  if (container == nullptr || container->name != SkinContainer::kMainWindowName) return;
  container->block.SetMovieAreaOn(!container->block.MovieAreaOn());
  if (m_skinView == nullptr) return;
  m_skinView->NormalizeMovieArea();
  m_skinView->Invalidate();
}

void CMainFrame::OnAbout() {
  CAboutDialog dialog(this);
  dialog.DoModal();
}
