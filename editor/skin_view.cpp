#include "editor/skin_view.h"

#include <algorithm>
#include <new>
#include <utility>

#include "editor/live_placeholder.h"
#include "editor/movie_area.h"
#include "editor/shell_launcher.h"
#include "model/skin_container.h"
#include "model/skin_object.h"
#include "model/skin_object_kind.h"
#include "ui/cdc.h"
#include "ui/crgn.h"

static_assert(CSkinView::kTopLeft == MovieArea::kTopLeft &&
                  CSkinView::kTopRight == MovieArea::kTopRight &&
                  CSkinView::kBottomLeft == MovieArea::kBottomLeft &&
                  CSkinView::kBottomRight == MovieArea::kBottomRight &&
                  CSkinView::kTopMiddle == MovieArea::kTopMiddle &&
                  CSkinView::kLeftMiddle == MovieArea::kLeftMiddle &&
                  CSkinView::kBottomMiddle == MovieArea::kBottomMiddle &&
                  CSkinView::kRightMiddle == MovieArea::kRightMiddle &&
                  CSkinView::kInside == MovieArea::kInside && CSkinView::kNone == MovieArea::kNone,
              "the view reports the movie area's handle numbers");
static_assert(CSkinView::kMinMovieSize == MovieArea::kMinSize, "one smallest movie area");

// One entry of the live list: the object it was made for and its control
// (null, or without a window, for objects shown without one).
class CSkinView::LiveControl {
 public:
  LiveControl(SkinObject* object, std::unique_ptr<CWnd> control)
      : object_(object), control_(std::move(control)) {}
  SkinObject* Object() const { return object_; }
  CWnd* Control() const { return control_.get(); }
  HWND Window() const { return control_ != nullptr ? control_->GetSafeHwnd() : nullptr; }

 private:
  SkinObject* object_;
  std::unique_ptr<CWnd> control_;
};

namespace {

size_t FactorySlot(uint32_t kind) { return std::min<size_t>(kind, SkinObjectKind::kCount); }

// Fills the part of area outside region (both in the context's units).
void FillOutside(HDC dc, const CRgn& region, const RECT& area, int colorIndex) {
  CRgn outside;
  if (!outside.CreateRectRgnIndirect(&area)) return;
  if (outside.CombineRgn(&outside, &region, RGN_DIFF) == ERROR) return;
  ::FillRgn(dc, outside, ::GetSysColorBrush(colorIndex));
}

// A rectangle limited to a few pixels around box: sides far outside the
// visible part (a movie area read from a file can reach the ends of the
// 32-bit range) stay outside it without overflowing the drawing calls.
RECT LimitedTo(const RECT& rect, const RECT& box) {
  constexpr LONG kMargin = 8;
  auto limit = [](LONG value, LONG low, LONG high) { return std::min(std::max(value, low), high); };
  return RECT{limit(rect.left, box.left - kMargin, box.right + kMargin),
              limit(rect.top, box.top - kMargin, box.bottom + kMargin),
              limit(rect.right, box.left - kMargin, box.right + kMargin),
              limit(rect.bottom, box.top - kMargin, box.bottom + kMargin)};
}

LPCSTR CursorOfHit(int hit) {
  switch (hit) {
    case CSkinView::kTopLeft:
    case CSkinView::kBottomRight:
      return IDC_SIZENWSE;
    case CSkinView::kTopRight:
    case CSkinView::kBottomLeft:
      return IDC_SIZENESW;
    case CSkinView::kTopMiddle:
    case CSkinView::kBottomMiddle:
      return IDC_SIZENS;
    case CSkinView::kLeftMiddle:
    case CSkinView::kRightMiddle:
      return IDC_SIZEWE;
    case CSkinView::kInside:
      return IDC_SIZEALL;
    default:
      return IDC_ARROW;
  }
}

}  // namespace

CSkinView::CSkinView() = default;

CSkinView::~CSkinView() = default;

// --- Live container ---------------------------------------------------------

void CSkinView::SetLiveControlFactory(uint32_t kind, LiveControlFactory factory) {
  m_factories[FactorySlot(kind)] = factory;
}

size_t CSkinView::LiveControlCount() const { return m_liveControls.size(); }

std::string CSkinView::GetToolTipText(const std::string& objectName) const { return objectName; }

CRect CSkinView::LiveControlRect(const SkinObject& object) const {
  CRect rect(object.block.Position());
  const CPoint scroll = GetScrollPosition();
  rect.OffsetRect(-scroll.x, -scroll.y);
  return rect;
}

DWORD CSkinView::LiveControlStyle() const { return WS_CHILD | (m_editMode ? WS_THICKFRAME : 0); }

void CSkinView::ShowLiveControl(CWnd& control, const SkinObject& object) {
  if (control.GetSafeHwnd() == nullptr) return;
  control.ShowWindow(object.visible != 0 ? SW_SHOWNA : SW_HIDE);
  control.UpdateWindow();
}

BOOL CSkinView::AddLiveToolTip(CWnd& control, const std::string& objectName) {
  if (m_toolTip.GetSafeHwnd() == nullptr || control.GetSafeHwnd() == nullptr) return FALSE;
  return m_toolTip.AddTool(&control, GetToolTipText(objectName).c_str());
}

void CSkinView::UpdateScrollSizes() {
  CSize total(0, 0);
  if (m_container != nullptr && m_container->background.IsValid())
    total = CSize(m_container->background.Width(), m_container->background.Height());
  SetScrollSizes(MM_TEXT, total);
}

void CSkinView::NormalizeMovieArea() {
  if (!MovieAreaEditing()) return;
  MovieArea area(m_container->block.MovieArea());
  area.EnsureMinimumSize();
  m_container->block.SetMovieArea(area.Rect());
}

bool CSkinView::Rebuild(bool redraw) {
  NormalizeMovieArea();
  // Turning redrawing back on also makes a window visible, so a hidden view
  // is left alone.
  const bool pauseRedraw = redraw && m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
  if (pauseRedraw) SetRedraw(FALSE);
  UpdateScrollSizes();
  DestroyControls();
  if (m_hWnd == nullptr) return false;
  if (redraw) {
    if (pauseRedraw) SetRedraw(TRUE);
    if (!RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME))
      return false;
  }
  CreateControls();
  return true;
}

void CSkinView::CreateControls() {
  if (m_container == nullptr) return;
  m_liveControls.reserve(m_container->objects.size());
  for (const std::unique_ptr<SkinObject>& object : m_container->objects) {
    const LiveControlFactory factory = m_factories[FactorySlot(object->kind)];
    std::unique_ptr<CWnd> control = factory != nullptr ? factory(*this, *object) : nullptr;
    std::unique_ptr<LiveControl> entry(new (std::nothrow)
                                           LiveControl(object.get(), std::move(control)));
    if (entry == nullptr) {
      // Out of memory: the entries made so far still match their objects,
      // and SyncPositions leaves the rest alone.
      return;
    }
    m_liveControls.push_back(std::move(entry));
  }
}

void CSkinView::DestroyControls() {
  for (const std::unique_ptr<LiveControl>& entry : m_liveControls) {
    CWnd* control = entry->Control();
    if (control == nullptr || control->GetSafeHwnd() == nullptr) continue;
    if (m_toolTip.GetSafeHwnd() != nullptr) m_toolTip.DelTool(control);
    control->DestroyWindow();
  }
  m_liveControls.clear();
}

void CSkinView::SyncPositions() {
  if (m_container == nullptr || m_hWnd == nullptr) return;
  const CPoint scroll = GetScrollPosition();
  const size_t count = std::min(m_liveControls.size(), m_container->objects.size());
  for (size_t i = 0; i < count; ++i) {
    // An entry whose object is no longer at its place (the model changed
    // without a Rebuild) must not write into another object.
    SkinObject* object = m_container->objects[i].get();
    const HWND window = m_liveControls[i]->Window();
    if (window == nullptr || m_liveControls[i]->Object() != object) continue;
    // A placeholder stands for an object without a control; its empty
    // rectangle is no position.
    if (dynamic_cast<const LivePlaceholder*>(m_liveControls[i]->Control()) != nullptr) continue;
    CRect rect;
    ::GetWindowRect(window, &rect);
    ScreenToClient(&rect);
    rect.OffsetRect(scroll);
    object->block.SetPosition(rect);
  }
}

SkinObject* CSkinView::LiveObjectOfWindow(HWND window) const {
  if (window == nullptr || m_container == nullptr) return nullptr;
  const size_t count = std::min(m_liveControls.size(), m_container->objects.size());
  for (size_t i = 0; i < count; ++i) {
    if (m_liveControls[i]->Window() != window) continue;
    SkinObject* object = m_container->objects[i].get();
    return m_liveControls[i]->Object() == object ? object : nullptr;
  }
  return nullptr;
}

void CSkinView::OpenShortcutTarget(const std::string& target) {
  GetShellLauncher().Open(m_hWnd, target);
}

BOOL CSkinView::PreTranslateMessage(MSG* msg) {
  if (CToolTipCtrl::IsRelayedMouseMessage(msg->message) && m_toolTip.GetSafeHwnd() != nullptr)
    m_toolTip.RelayEvent(msg);
  if (msg->message == WM_COMMAND && HIWORD(msg->wParam) == 0) {
    const SkinObject* object = LiveObjectOfWindow(reinterpret_cast<HWND>(msg->lParam));
    if (object != nullptr && object->kind == SkinObjectKind::kShortcut) {
      // A shortcut without a target has nothing to open; the click is still
      // the shortcut's.
      if (!object->shortcutTarget.empty()) OpenShortcutTarget(object->shortcutTarget);
      return TRUE;
    }
  }
  return CScrollView::PreTranslateMessage(msg);
}

// --- Window ------------------------------------------------------------------

LRESULT CSkinView::OnCreate(WPARAM wParam, LPARAM lParam) {
  if (CScrollView::WindowProc(WM_CREATE, wParam, lParam) == -1) return -1;
  ModifyStyle(0, WS_CLIPCHILDREN);
  m_toolTip.Create(this);
  // Not yet visible: redrawing now would only show the window early.
  Rebuild(false);
  return 0;
}

void CSkinView::OnInitialUpdate() { UpdateScrollSizes(); }

LRESULT CSkinView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(wParam, lParam);
    case WM_DESTROY:
      DestroyControls();
      break;
    case WM_ERASEBKGND:
      OnEraseBackground(reinterpret_cast<HDC>(wParam));
      return TRUE;
    case WM_LBUTTONDOWN:
      if (OnLButtonDown(lParam)) return 0;
      break;
    case WM_MOUSEMOVE:
      if (OnMouseMove(wParam, lParam)) return 0;
      break;
    case WM_LBUTTONUP:
      if (OnLButtonUp()) return 0;
      break;
    case WM_CAPTURECHANGED:
      m_dragging = false;
      break;
    case WM_SETCURSOR:
      if (OnSetCursor(wParam, lParam)) return TRUE;
      break;
    case WM_SKINPAINTQUERY: {
      const HWND parent = ::GetParent(m_hWnd);
      return parent != nullptr ? ::SendMessageA(parent, message, wParam, lParam) : 0;
    }
    default:
      break;
  }
  return CScrollView::WindowProc(message, wParam, lParam);
}

// --- Painting ----------------------------------------------------------------

void CSkinView::OnEraseBackground(HDC dc) {
  CRect client;
  GetClientRect(&client);
  if (m_container == nullptr || !m_container->background.IsValid()) {
    const int color = m_container == nullptr ? COLOR_3DFACE : COLOR_WINDOW;
    ::FillRect(dc, &client, ::GetSysColorBrush(color));
    return;
  }
  const CPoint scroll = GetScrollPosition();
  CRgn region;
  if (m_container->GetWindowRegionOrEmpty(region)) {
    region.OffsetRgn(-scroll.x, -scroll.y);
    FillOutside(dc, region, client, COLOR_WINDOW);
  }
  // The image's right and bottom edges in client coordinates.
  const LONG imageRight = m_container->background.Width() - scroll.x;
  const LONG imageBottom = m_container->background.Height() - scroll.y;
  const HBRUSH window = ::GetSysColorBrush(COLOR_WINDOW);
  const CRect rightStrip(std::max(imageRight, client.left), client.top, client.right,
                         client.bottom);
  const CRect bottomStrip(client.left, std::max(imageBottom, client.top), client.right,
                          client.bottom);
  if (!rightStrip.IsRectEmpty()) ::FillRect(dc, &rightStrip, window);
  if (!bottomStrip.IsRectEmpty()) ::FillRect(dc, &bottomStrip, window);
}

void CSkinView::OnDraw(CDC* dc) {
  CRect box;
  if (m_container == nullptr) {
    dc->GetClipBox(&box);
    dc->FillSolidRect(box, ::GetSysColor(COLOR_3DFACE));
    return;
  }
  // The region is in content coordinates; clipping works in device ones.
  const CPoint scroll = GetScrollPosition();
  CRgn region;
  const bool shaped = m_container->GetWindowRegionOrEmpty(region);
  if (shaped) {
    region.OffsetRgn(-scroll.x, -scroll.y);
    dc->SelectClipRgn(&region);
  }
  m_container->background.Draw(*dc, 0, 0);
  if (shaped) {
    dc->SelectClipRgn(nullptr);
    dc->SelectClipRgn(&region, RGN_DIFF);
    dc->GetClipBox(&box);
    dc->FillSolidRect(box, ::GetSysColor(COLOR_3DFACE));
  }
  if (m_editMode && m_container->block.MovieAreaOn()) {
    dc->SelectClipRgn(nullptr);
    DrawMovieArea(*dc);
  }
}

// Painting only reads the model: the stored rectangle was made at least
// 50 x 50 when the movie area was shown (NormalizeMovieArea); one that was
// changed behind the view's back is drawn at that size all the same.
void CSkinView::DrawMovieArea(CDC& dc) const {
  MovieArea area(m_container->block.MovieArea());
  area.EnsureMinimumSize();
  CRect box;
  if (dc.GetClipBox(&box) == ERROR) return;
  dc.DrawFocusRect(LimitedTo(area.Rect(), box));
  for (int hit = 0; hit < MovieArea::kHandleCount; ++hit)
    dc.FillSolidRect(LimitedTo(area.HandleSquare(hit), box), RGB(0, 0, 0));
}

// --- Movie area editing ------------------------------------------------------

bool CSkinView::MovieAreaEditing() const {
  return m_editMode && m_container != nullptr && m_container->block.MovieAreaOn();
}

CPoint CSkinView::ContentPoint(LPARAM packedClientPoint) const {
  return CPoint(packedClientPoint) + GetScrollPosition();
}

int CSkinView::HitTest() const {
  if (m_container == nullptr || !m_container->block.MovieAreaOn() || m_hWnd == nullptr)
    return kNone;
  POINT cursor;
  if (!::GetCursorPos(&cursor)) return kNone;
  ::ScreenToClient(m_hWnd, &cursor);
  return MovieArea(m_container->block.MovieArea()).HitTest(CPoint(cursor) + GetScrollPosition());
}

void CSkinView::SetHitCursor(int hit) { ::SetCursor(::LoadCursor(nullptr, CursorOfHit(hit))); }

bool CSkinView::OnLButtonDown(LPARAM lParam) {
  if (!MovieAreaEditing()) return false;
  SetCapture();
  m_hit = HitTest();
  m_dragging = m_hit != kNone;
  m_lastPoint = ContentPoint(lParam);
  return true;
}

bool CSkinView::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  if (!MovieAreaEditing()) return false;
  if ((wParam & MK_LBUTTON) == 0) m_dragging = false;
  if (m_dragging) {
    DragTo(ContentPoint(lParam));
  } else {
    m_hit = HitTest();
    SetHitCursor(m_hit);
  }
  return true;
}

void CSkinView::DragTo(CPoint point) {
  Invalidate();
  MovieArea area(m_container->block.MovieArea());
  area.Drag(m_hit, point, m_lastPoint);
  if (m_hit == kInside) m_lastPoint = point;
  m_container->block.SetMovieArea(area.Rect());
  Invalidate();
  SetHitCursor(m_hit);
}

bool CSkinView::OnLButtonUp() {
  // The capture goes even when the movie area was switched off meanwhile.
  if (GetCapture() == this) ReleaseCapture();
  m_dragging = false;
  return MovieAreaEditing();
}

bool CSkinView::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  // Only over the view's own client area: a live control asks its parent
  // first, and must not get a handle cursor left over from the view.
  if (reinterpret_cast<HWND>(wParam) != m_hWnd || LOWORD(lParam) != HTCLIENT) return false;
  if (!MovieAreaEditing() || m_hit < kTopLeft || m_hit > kInside) return false;
  SetHitCursor(m_hit);
  return true;
}
