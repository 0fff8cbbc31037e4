// CSkinView: the right pane of the main frame. Shows one container of the
// open skin at its natural size: the background cut to the container's
// window shape, the live controls of its objects, and, for MainWindow, the
// movie area rectangle that the designer draws and drags with the mouse.
//
// The view never owns the container; the main frame sets it (SetContainer)
// and calls Rebuild after every change to the model. Live positions reach
// the model only through SyncPositions.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/skin_object_kind.h"
#include "runtime/skin_object_wnd.h"
#include "ui/cpoint.h"
#include "ui/cscroll_view.h"
#include "ui/ctool_tip_ctrl.h"

class SkinContainer;
class SkinObject;

class CSkinView : public CScrollView {
 public:
  // Movie area handles, as HitTest reports them.
  enum Hit {
    kTopLeft = 0,
    kTopRight = 1,
    kBottomLeft = 2,
    kBottomRight = 3,
    kTopMiddle = 4,
    kLeftMiddle = 5,
    kBottomMiddle = 6,
    kRightMiddle = 7,
    kInside = 8,
    kNone = 9,
  };
  // The smallest width and height of the movie area.
  static constexpr int kMinMovieSize = 50;
  // Control identifier of every live control.
  static constexpr UINT kLiveControlId = 0xFFFF;

  // Makes the live control of one object. The result goes into the live
  // list, window or not (a button without images has none); null also
  // leaves a windowless entry. The control must not delete itself when its
  // window goes (the view deletes it).
  using LiveControlFactory = std::unique_ptr<CWnd> (*)(CSkinView& view, SkinObject& object);

  CSkinView();
  ~CSkinView() override;

  // The container shown, or nullptr. SetContainer only switches; the frame
  // calls Rebuild afterwards.
  SkinContainer* GetContainer() const { return m_container; }
  void SetContainer(SkinContainer* container) { m_container = container; }
  bool IsEditMode() const { return m_editMode; }

  // Destroys the live controls and creates them again for the shown
  // container; with redraw, repaints the whole view in between. False when
  // the view has no window yet or the repaint failed.
  bool Rebuild(bool redraw = true);
  // Writes the live controls' rectangles back into their objects.
  void SyncPositions();
  // Makes the shown container's movie area at least 50 x 50 in the model
  // when it is on (Rebuild does it; the frame does it when switching it on),
  // so that painting never has to change the model.
  void NormalizeMovieArea();
  // Removes every live control (tooltip, window, object).
  void DestroyControls();
  std::string GetToolTipText(const std::string& objectName) const;
  // The movie area handle under the cursor (content coordinates); kNone when
  // no container is shown or its movie area is off.
  int HitTest() const;
  // Number of entries in the live list (one per object of the container,
  // windowless or not).
  size_t LiveControlCount() const;

  // The factory for objects of kind; every kind without a known number
  // shares one factory (SkinObjectKind::kCount and above). Objects whose
  // kind has no factory get a windowless entry.
  void SetLiveControlFactory(uint32_t kind, LiveControlFactory factory);
  // What factories share: the object's rectangle in client coordinates,
  // the window style of a live control, showing it by the object's visible
  // flag, and its tooltip.
  CRect LiveControlRect(const SkinObject& object) const;
  DWORD LiveControlStyle() const;
  void ShowLiveControl(CWnd& control, const SkinObject& object);
  BOOL AddLiveToolTip(CWnd& control, const std::string& objectName);

  void OnDraw(CDC* dc) override;
  void OnInitialUpdate() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // Opens a shortcut's target through the shell launcher seam.
  virtual void OpenShortcutTarget(const std::string& target);

 private:
  class LiveControl;
  // One slot per known kind, then one for every other kind number.
  static constexpr size_t kFactorySlots = SkinObjectKind::kCount + 1;

  bool MovieAreaEditing() const;
  void UpdateScrollSizes();
  void CreateControls();
  // The object of the live control whose window is window, or null.
  SkinObject* LiveObjectOfWindow(HWND window) const;
  CPoint ContentPoint(LPARAM packedClientPoint) const;
  LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
  void OnEraseBackground(HDC dc);
  void DrawMovieArea(CDC& dc) const;
  bool OnLButtonDown(LPARAM lParam);
  bool OnMouseMove(WPARAM wParam, LPARAM lParam);
  bool OnLButtonUp();
  bool OnSetCursor(WPARAM wParam, LPARAM lParam);
  void DragTo(CPoint point);
  static void SetHitCursor(int hit);

  SkinContainer* m_container = nullptr;
  bool m_editMode = true;
  std::vector<std::unique_ptr<LiveControl>> m_liveControls;
  CToolTipCtrl m_toolTip;
  int m_hit = kNone;
  bool m_dragging = false;
  CPoint m_lastPoint;
  std::array<LiveControlFactory, kFactorySlots> m_factories{};
};
