#include "editor/main_frame.h"

#include <new>

#include "editor/live_control_factories.h"
#include "editor/object_tree_view.h"
#include "editor/resource.h"
#include "editor/skin_view.h"
#include "model/profile_file_win.h"
#include "ui/command_map.h"
#include "ui/ctree_ctrl.h"

namespace {

// Toolbar and status bar styles: a flat toolbar with tooltips on top.
const DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

}  // namespace

CMainFrame::CMainFrame()
    : m_configurationPath(ProfileFile::EditorConfigurationPath()),
      m_menuContainer(new (std::nothrow) SkinContainer(SkinContainer::kMenuContainerName)) {}

CMainFrame::~CMainFrame() = default;

void CMainFrame::SetObjectDialogs(ObjectDialogs* dialogs) { m_dialogs = dialogs; }

CTreeCtrl& CMainFrame::GetTreeCtrl() const { return m_treeView->GetTreeCtrl(); }

BOOL CMainFrame::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, const char* title) {
  if (!CFrameWnd::LoadFrame(resourceId, style, parent, title)) return FALSE;
  InitialUpdateFrame();
  return TRUE;
}

bool CMainFrame::ReadConfiguration() {
  ProfileFile profile(m_configurationPath);
  return m_configuration.Read(profile);
}

int CMainFrame::OnCreate(LPCREATESTRUCTA cs) {
  // Without default objects there is nothing to insert: the editor does
  // not start.
  if (m_menuContainer == nullptr || !ReadConfiguration()) return -1;
  if (CFrameWnd::OnCreate(cs) == -1) return -1;
  if (!CreateBars() || !CreateTreeImages()) return -1;
  OnFileNew();
  return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCTA) {
  if (!m_splitter.CreateStatic(this, 1, 2)) return FALSE;
  m_treeView = new (std::nothrow) CObjectTreeView;
  if (m_treeView == nullptr || !m_splitter.CreateView(0, 0, m_treeView, CSize(kTreeWidth, 0))) {
    m_treeView = nullptr;
    return FALSE;
  }
  m_tree.Attach(&m_treeView->GetTreeCtrl());
  m_skinView = new (std::nothrow) CSkinView;
  if (m_skinView == nullptr) return FALSE;
  RegisterLiveControlFactories(*m_skinView);
  if (!m_splitter.CreateView(0, 1, m_skinView, CSize(0, 0))) {
    m_skinView = nullptr;
    return FALSE;
  }
  return TRUE;
}

bool CMainFrame::CreateBars() {
  if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT, kToolBarStyle) ||
      !m_toolBar.LoadToolBar(IDR_MAINFRAME)) {
    return false;
  }
  if (!m_statusBar.Create(this) ||
      !m_statusBar.SetIndicators(kIndicators, sizeof kIndicators / sizeof kIndicators[0])) {
    return false;
  }
  RecalcLayout();
  return true;
}

bool CMainFrame::CreateTreeImages() {
  if (!m_treeImages.Create(IDB_TREE_IMAGES, TREE_IMAGE_SIZE, 0, kTreeImageMask)) return false;
  GetTreeCtrl().SetImageList(m_treeImages, TVSIL_NORMAL);
  return true;
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    // The tree's window (and with it its nodes) goes before this object;
    // the view must not keep showing a container of a skin about to go.
    m_changingTree = true;
    m_tree.Clear();
    m_tree.Attach(nullptr);
    if (m_skinView != nullptr) m_skinView->SetContainer(nullptr);
  }
  if (message == WM_NCDESTROY) {
    m_treeView = nullptr;
    m_skinView = nullptr;
  }
  return CFrameWnd::WindowProc(message, wParam, lParam);
}

BOOL CMainFrame::HandleCmdMsg(UINT id, int code, CCmdUI* ui) {
  static const CommandEntry<CMainFrame> kCommands[] = {
      {ID_FILE_NEW, &CMainFrame::OnFileNew, nullptr},
      {ID_FILE_OPEN, &CMainFrame::OnFileOpen, nullptr},
      {ID_FILE_SAVE, &CMainFrame::OnFileSave, nullptr},
      {ID_FILE_SAVE_AS, &CMainFrame::OnFileSaveAs, nullptr},
      {ID_INSERT_NEWCONTAINER, &CMainFrame::OnNewContainer, &CMainFrame::OnUpdateNewContainer},
      {ID_INSERT_TEXT, &CMainFrame::OnInsertText, &CMainFrame::OnUpdateItemSelected},
      {ID_INSERT_OBJECT, &CMainFrame::OnInsertObject, &CMainFrame::OnUpdateItemSelected},
      {ID_INSERT_SHORTCUT, &CMainFrame::OnInsertShortcut, &CMainFrame::OnUpdateItemSelected},
      {ID_INSERT_ANIMATION, &CMainFrame::OnInsertAnimation, &CMainFrame::OnUpdateItemSelected},
      {ID_INSERT_VUMETER, &CMainFrame::OnInsertVUMeter, &CMainFrame::OnUpdateItemSelected},
      {ID_EDIT_LAYOUTCONTAINERS, nullptr, &CMainFrame::OnUpdateNever},
      {ID_CONTAINER_LOADBITMAP, &CMainFrame::OnLoadBitmap, &CMainFrame::OnUpdateItemSelected},
      {ID_CONTAINER_WINDOWREGION, &CMainFrame::OnWindowRegion, &CMainFrame::OnUpdateWindowRegion},
      {ID_CONTAINER_EDIT, &CMainFrame::OnEditContainer, nullptr},
      {ID_EDIT_OBJECT, &CMainFrame::OnEditObject, &CMainFrame::OnUpdateObjectSelected},
      {ID_EDIT_SKINMENU, &CMainFrame::OnSkinMenu, nullptr},
      {ID_EDIT_DELETE, &CMainFrame::OnDelete, &CMainFrame::OnUpdateItemSelected},
      {ID_EDIT_ITEM, &CMainFrame::OnEditItem, &CMainFrame::OnUpdateItemSelected},
      {ID_VIEW_MOVIEAREA, &CMainFrame::OnMovieArea, &CMainFrame::OnUpdateMovieArea},
      {ID_APP_ABOUT, &CMainFrame::OnAbout, nullptr},
  };
  return DispatchCommand(*this, kCommands, id, code, ui) || CFrameWnd::HandleCmdMsg(id, code, ui);
}

// --- Enabled and checked states --------------------------------------------

bool CMainFrame::SomeContainerNameFree() const {
  for (const std::string& name : m_configuration.ContainerNames()) {
    if (m_skin.FindContainer(name) == nullptr) return true;
  }
  return false;
}

void CMainFrame::OnUpdateNewContainer(CCmdUI* ui) { ui->Enable(SomeContainerNameFree()); }

void CMainFrame::OnUpdateItemSelected(CCmdUI* ui) { ui->Enable(SelectedNode() != nullptr); }

void CMainFrame::OnUpdateObjectSelected(CCmdUI* ui) {
  const ObjectTree::Node* node = SelectedNode();
  ui->Enable(node != nullptr && node->object != nullptr);
}

void CMainFrame::OnUpdateWindowRegion(CCmdUI* ui) {
  const SkinContainer* container = SelectedContainer();
  ui->Enable(container != nullptr && container->background.IsValid());
}

void CMainFrame::OnUpdateMovieArea(CCmdUI* ui) {
  const SkinContainer* container = SelectedContainer();
  // Only the main window has a movie area; the name must match exactly.
  const bool mainWindow = container != nullptr && container->name == SkinContainer::kMainWindowName;
  ui->Enable(mainWindow);
  ui->SetCheck(mainWindow && container->block.MovieAreaOn() ? 1 : 0);
}

void CMainFrame::OnUpdateNever(CCmdUI* ui) { ui->Enable(FALSE); }
