// CMainFrame: the editor's main window. It owns the open skin, the menu
// container ("QMenu", kept out of the skin's list while editing), the
// editor's configuration and the object tree, and carries out every
// command. The left pane lists the skin (object tree), the right pane is
// the skin view, which shows the selected item's container live.
//
// Commands are split by theme: main_frame_file.cpp (New, Open, Save),
// main_frame_insert.cpp (inserting objects and containers),
// main_frame_edit.cpp (editing, deleting, bitmaps, regions, movie area) and
// main_frame_tree.cpp (the tree and its notifications).
#pragma once

#include <memory>
#include <string>

#include "editor/object_dialogs.h"
#include "editor/object_tree.h"
#include "model/editor_configuration.h"
#include "model/skin.h"
#include "model/skin_container.h"
#include "ui/cframe_wnd.h"
#include "ui/cimage_list.h"
#include "ui/cmenu.h"
#include "ui/csplitter_wnd.h"
#include "ui/cstatus_bar.h"
#include "ui/ctool_bar.h"

class CObjectTreeView;
class CSkinView;
class CTreeCtrl;

class CMainFrame : public CFrameWnd {
 public:
  static constexpr int kTreeWidth = 200;
  static constexpr COLORREF kTreeImageMask = RGB(255, 0, 255);
  static constexpr const char* kOpenFailedText = "QorvaEditor cannot read this file.";
  static constexpr const char* kSaveFailedText = "Can`t save the file.";
  static constexpr const char* kSaveFailedCaption = "Error";
  static constexpr const char* kImageFileFilter =
      "All supported types|*.png;*.bmp|Bitmap files (*.bmp)|*.bmp|PNG files (*.png)|*.png||";

  CMainFrame();
  ~CMainFrame() override;

  // The configuration file read at creation; by default "QorvaEditor.INI"
  // beside the program. Set it before LoadFrame.
  void SetConfigurationPath(const std::string& path) { m_configurationPath = path; }
  const std::string& GetConfigurationPath() const { return m_configurationPath; }
  // Who answers the property dialogs; null restores the default, which
  // opens nothing. Not owned.
  void SetObjectDialogs(ObjectDialogs* dialogs);

  // Creation fails (and the frame deletes itself) when the configuration
  // lists no default object. Runs the views' first update on success.
  BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                 const char* title = nullptr) override;

  Skin& GetSkin() { return m_skin; }
  SkinContainer& GetMenuContainer() { return *m_menuContainer; }
  const EditorConfiguration& GetConfiguration() const { return m_configuration; }
  CTreeCtrl& GetTreeCtrl() const;
  const ObjectTree& GetObjectTree() const { return m_tree; }
  CSkinView* GetSkinView() const { return m_skinView; }
  CToolBar& GetToolBar() { return m_toolBar; }
  CStatusBar& GetStatusBar() { return m_statusBar; }
  const CImageList& GetTreeImages() const { return m_treeImages; }
  // The tree's right-click menu for a selected container item: the main
  // menu's texts of Load bitmap, Window region and Edit. False when the
  // menu cannot be made.
  bool BuildContainerPopup(CMenu& popup) const;

  int OnCreate(LPCREATESTRUCTA cs) override;
  BOOL OnCreateClient(LPCREATESTRUCTA cs) override;
  BOOL HandleCmdMsg(UINT id, int code, CCmdUI* ui) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool ReadConfiguration();
  bool CreateBars();
  bool CreateTreeImages();
  ObjectDialogs& Dialogs() { return m_dialogs != nullptr ? *m_dialogs : m_noDialogs; }

  // --- File (main_frame_file.cpp) ------------------------------------------
  void OnFileNew();
  void OnFileOpen();
  void OnFileSave();
  void OnFileSaveAs();
  // Writes the skin with the menu container appended; with backup, the
  // file already at path is copied to its ".bak" name first.
  void SaveTo(const std::string& path, bool backup);
  // Detaches the view from the model before containers go away.
  void ShowNoContainer();

  // --- Insert (main_frame_insert.cpp) --------------------------------------
  void OnInsertText();
  void OnInsertShortcut();
  void OnInsertAnimation();
  void OnInsertVUMeter();
  void OnInsertObject();
  void OnNewContainer();
  // Runs the kind's dialog on object; on OK appends it to the selected
  // item's container and lists it.
  void InsertWithDialog(std::unique_ptr<SkinObject> object);
  // Appends object to container and adds its tree item; the object back
  // when it was not taken.
  bool AppendObject(SkinContainer& container, std::unique_ptr<SkinObject>& object);
  bool RunObjectDialog(SkinObject& object, bool creating);

  // --- Edit (main_frame_edit.cpp) ------------------------------------------
  void OnEditItem();
  void OnEditObject();
  void OnEditContainer();
  void OnDelete();
  void OnLoadBitmap();
  void OnWindowRegion();
  void OnSkinMenu();
  void OnMovieArea();
  void OnAbout();
  void EditObject(HTREEITEM item, SkinObject& object);
  void EditContainer(SkinContainer& container);
  void DeleteContainer(HTREEITEM item, SkinContainer& container);
  void DeleteObject(HTREEITEM item, SkinContainer& container, SkinObject& object);

  // --- Enabled and checked states (main_frame.cpp) -------------------------
  void OnUpdateNewContainer(CCmdUI* ui);
  void OnUpdateItemSelected(CCmdUI* ui);
  void OnUpdateObjectSelected(CCmdUI* ui);
  void OnUpdateWindowRegion(CCmdUI* ui);
  void OnUpdateMovieArea(CCmdUI* ui);
  void OnUpdateNever(CCmdUI* ui);
  bool SomeContainerNameFree() const;

  // --- Tree (main_frame_tree.cpp) ------------------------------------------
  // Lists the skin again, adding a MainWindow container when there is none.
  void RebuildTree();
  // The selected item's container, or null.
  SkinContainer* SelectedContainer() const;
  const ObjectTree::Node* SelectedNode() const { return m_tree.SelectedNode(); }
  // Selects item without the view following the selection.
  void SelectQuietly(HTREEITEM item);
  void OnTreeSelectionChanged();
  void OnTreeRightClick();
  // Makes the view show container (SyncPositions of the one shown before).
  void ShowContainer(SkinContainer* container);

  std::string m_configurationPath;
  EditorConfiguration m_configuration;
  Skin m_skin;
  std::unique_ptr<SkinContainer> m_menuContainer;
  ObjectDialogs m_noDialogs;
  ObjectDialogs* m_dialogs = nullptr;

  CToolBar m_toolBar;
  CStatusBar m_statusBar;
  CSplitterWnd m_splitter;
  CImageList m_treeImages;
  CObjectTreeView* m_treeView = nullptr;  // deletes itself with its window
  CSkinView* m_skinView = nullptr;        // deletes itself with its window
  ObjectTree m_tree;
  // Set while the frame changes the tree itself, so that selection changes
  // it causes do not move the view.
  bool m_changingTree = false;
};
