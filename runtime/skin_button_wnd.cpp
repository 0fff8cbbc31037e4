#include "runtime/skin_button_wnd.h"

#include <string>

#include "imaging/dib_section_win.h"
#include "imaging/selected_object_win.h"
#include "ui/cpaint_dc.h"

namespace {

// Set while any button is dragged with the right mouse button; one per
// process, shared by every button (they all live on the user-interface
// thread).
bool g_buttonDragActive = false;

constexpr UINT kTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS;
constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOCOPYBITS;

bool HasHandle(const CRgn* region) { return region != nullptr && !region->IsNull(); }

bool CopyRegion(const CRgn& source, CRgn& target) {
  return target.CreateRectRgn(0, 0, 0, 0) && target.CopyRgn(&source) != ERROR;
}

}  // namespace

SkinButtonWnd::~SkinButtonWnd() {
  // The window goes before the drag flag could be left behind.
  if (dragging_) g_buttonDragActive = false;
}

bool SkinButtonWnd::DragActive() { return g_buttonDragActive; }

BOOL SkinButtonWnd::Create(CWnd* parent, const DibImage* up, const DibImage* down,
                           const DibImage* focus, const DibImage* disable, const CRgn* windowRgn,
                           const CRgn* mouseRgn, UINT id) {
  upBitmap_ = up;
  downBitmap_ = down != nullptr ? down : up;
  focusBitmap_ = focus != nullptr ? focus : up;
  disableBitmap_ = disable != nullptr ? disable : up;
  if (up != nullptr) face_.Copy(*up);
  const int width = up != nullptr ? up->Width() : 0;
  const int height = up != nullptr ? up->Height() : 0;
  if (!CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                parent != nullptr ? parent->GetSafeHwnd() : nullptr,
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)))) {
    return FALSE;
  }
  TakeParentFont();
  if (!HasHandle(windowRgn) || !CopyRegion(*windowRgn, windowRegion_))
    windowRegion_.CreateRectRgn(0, 0, width, height);
  const CRgn* mouseSource = HasHandle(mouseRgn) ? mouseRgn : windowRgn;
  if (!HasHandle(mouseSource) || !CopyRegion(*mouseSource, mouseRegion_))
    mouseRegion_.CreateRectRgn(0, 0, width, height);
  // The window gets a copy of its own: the system frees the one it holds.
  CRgn windowCopy;
  if (CopyRegion(windowRegion_, windowCopy) &&
      ::SetWindowRgn(m_hWnd, windowCopy.GetSafeHandle(), TRUE) != 0) {
    windowCopy.Detach();
  }
  return TRUE;
}

void SkinButtonWnd::TakeParentFont() {
  CWnd* parent = GetParent();
  HFONT parentFont =
      parent != nullptr ? reinterpret_cast<HFONT>(parent->SendMessage(WM_GETFONT)) : nullptr;
  LOGFONTA description;
  if (parentFont == nullptr ||
      ::GetObjectA(parentFont, sizeof(description), &description) != sizeof(description)) {
    return;
  }
  if (font_.CreateFontIndirect(&description))
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font_.GetSafeHandle()), TRUE);
}

bool SkinButtonWnd::SetMoveMode(bool on) {
  const bool previous = moveMode_;
  moveMode_ = on;
  return previous;
}

// --- Faces ------------------------------------------------------------------

const DibImage* SkinButtonWnd::BitmapOf(int state) const {
  switch (state) {
    case kDown:
      return downBitmap_;
    case kFocus:
      return focusBitmap_;
    default:
      return upBitmap_;
  }
}

void SkinButtonWnd::SetState(int state) {
  if (!fadeIntoDown_ && state == kDown) {
    previousState_ = state_;
    fading_ = false;
    fadeFactor_ = 1.0f;
    state_ = kDown;
    if (downBitmap_ != nullptr) face_.Copy(*downBitmap_);
    Invalidate(TRUE);
    return;
  }
  if (fadeFactor_ == 1.0f) {
    fading_ = true;
    fadeFactor_ = 0.0f;
  }
  previousState_ = state_;
  state_ = state;
}

void SkinButtonWnd::FadeStep() {
  if (fadeFactor_ < 1.0f) {
    fadeFactor_ += 0.1f;
  } else {
    fadeFactor_ = 1.0f;
    fading_ = false;
  }
  const DibImage* from = BitmapOf(previousState_);
  const DibImage* to = BitmapOf(state_);
  if (previousState_ != state_ && from != nullptr && to != nullptr)
    face_.Crossfade(*from, *to, fadeFactor_);
  Invalidate(FALSE);
}

void SkinButtonWnd::HoverStep() {
  if (pressed_ || fading_ || !IsWindowEnabled()) return;
  int wanted = kUp;
  if (isCheckBox_) {
    wanted = checked_ ? kDown : kUp;
  } else {
    wanted = CursorInMouseRegion() ? kFocus : kUp;
  }
  if (state_ != wanted) SetState(wanted);
}

void SkinButtonWnd::Tick(UINT_PTR timer) {
  const bool inside = CursorInMouseRegion();
  if (pressed_) {
    if (inside) Notify(timer == kFastTimer ? kRepeatFast : kRepeatSlow);
    if (timer == kSlowTimer) return;
  }
  if (fading_) {
    FadeStep();
  } else {
    HoverStep();
  }
}

// --- Drawing ------------------------------------------------------------------

void SkinButtonWnd::DrawTo(HDC dc, int x, int y) {
  CRect client;
  GetClientRect(&client);
  HDC target = dc;
  DibSection buffer;
  CRect box;
  const bool buffered = bufferedDraw_ && ::GetDeviceCaps(dc, TECHNOLOGY) != DT_RASPRINTER &&
                        ::GetClipBox(dc, &box) != ERROR && !box.IsRectEmpty() &&
                        buffer.Create(dc, box.Width(), box.Height(), 24);
  if (buffered) {
    target = buffer.Context();
    ::SetWindowOrgEx(target, box.left, box.top, nullptr);
    CRect fill = box;
    ::SetBkColor(target, backColor_);
    ::ExtTextOutA(target, 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr);
  }
  const DibImage& picture =
      IsWindowEnabled() || disableBitmap_ == nullptr ? face_ : *disableBitmap_;
  picture.Draw(target, x, y);
  if (showText_) {
    const int saved = ::SaveDC(target);
    const SelectedObject font(target, font_.GetSafeHandle());
    ::SetBkMode(target, TRANSPARENT);
    ::SetTextColor(target, textColor_);
    CRect text = client;
    text.OffsetRect(x, y);
    const std::string caption = GetWindowText();
    ::DrawTextA(target, caption.c_str(), static_cast<int>(caption.size()), &text, kTextFormat);
    ::RestoreDC(target, saved);
  }
  if (buffered) {
    ::SetWindowOrgEx(target, 0, 0, nullptr);
    ::BitBlt(dc, box.left, box.top, box.Width(), box.Height(), target, 0, 0, SRCCOPY);
  }
}

void SkinButtonWnd::OnPaint() {
  CPaintDC paint(this);
  if (ParentPaintsMe()) return;
  DrawTo(paint, 0, 0);
}

// The face covers the whole window; erasing first would only flicker.
BOOL SkinButtonWnd::OnEraseBkgnd(HDC) { return TRUE; }

// --- Messages -------------------------------------------------------------------

int SkinButtonWnd::OnCreate(LPCREATESTRUCTA createStruct) {
  if (SkinObjectWnd::OnCreate(createStruct) == -1) return -1;
  SetTimer(kFastTimer, kFastPeriod);
  SetTimer(kSlowTimer, kSlowPeriod);
  return 0;
}

void SkinButtonWnd::OnDestroy() {
  KillTimer(kFastTimer);
  KillTimer(kSlowTimer);
  SkinObjectWnd::OnDestroy();
}

void SkinButtonWnd::OnTimer(UINT_PTR id) {
  if (id == kFastTimer || id == kSlowTimer) {
    Tick(id);
    return;
  }
  SkinObjectWnd::OnTimer(id);
}

bool SkinButtonWnd::InMouseRegion(CPoint point) const {
  return mouseRegion_.PtInRegion(point.x, point.y);
}

bool SkinButtonWnd::CursorInMouseRegion() const {
  POINT cursor;
  if (!::GetCursorPos(&cursor)) return false;
  ::ScreenToClient(m_hWnd, &cursor);
  return InMouseRegion(cursor);
}

void SkinButtonWnd::Notify(WORD code) {
  CWnd* parent = GetParent();
  if (parent == nullptr) return;
  parent->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code),
                      reinterpret_cast<LPARAM>(m_hWnd));
}

void SkinButtonWnd::OnLButtonDown(UINT, CPoint point) {
  if (g_buttonDragActive) return;
  if (!InMouseRegion(point) || !IsWindowEnabled()) return;
  SetState(kDown);
  pressed_ = true;
  SetCapture();
  Notify(kPressed);
  Notify(kPressedFirst);
}

void SkinButtonWnd::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

void SkinButtonWnd::OnMouseMove(UINT, CPoint point) {
  if (moveMode_ && dragging_) {
    // The message's point is where the cursor was; in the parent's
    // coordinates it stays right while the window moves under it.
    CWnd* parent = GetParent();
    if (parent != nullptr) {
      POINT inParent = point;
      ::MapWindowPoints(m_hWnd, parent->GetSafeHwnd(), &inParent, 1);
      SetWindowPos(nullptr, inParent.x - dragOrigin_.x, inParent.y - dragOrigin_.y, 0, 0,
                   kMoveFlags);
    }
  }
  if (g_buttonDragActive || !pressed_ || !IsWindowEnabled()) return;
  if (InMouseRegion(point)) {
    if (state_ != kDown) SetState(kDown);
    Notify(kPressed);
  } else if (state_ != kUp) {
    SetState(kUp);
  }
}

void SkinButtonWnd::OnLButtonUp(UINT, CPoint point) {
  if (g_buttonDragActive) return;
  pressed_ = false;
  if (GetCapture() == this) ReleaseCapture();
  if (InMouseRegion(point)) {
    Notify(kReleased);
    Notify(kClicked);
    if (isCheckBox_) checked_ = !checked_;
  }
  Notify(kReleased);
}

void SkinButtonWnd::OnRButtonDown(UINT, CPoint point) {
  if (!moveMode_) return;
  dragOrigin_ = point;
  dragging_ = true;
  SetCapture();
  g_buttonDragActive = true;
}

void SkinButtonWnd::OnRButtonUp(UINT flags, CPoint point) {
  if (moveMode_) {
    dragging_ = false;
    if (GetCapture() == this) ReleaseCapture();
    g_buttonDragActive = false;
  }
  CWnd* parent = GetParent();
  if (parent == nullptr) return;
  POINT inParent = point;
  ::MapWindowPoints(m_hWnd, parent->GetSafeHwnd(), &inParent, 1);
  parent->PostMessage(WM_RBUTTONUP, flags, MAKELPARAM(inParent.x, inParent.y));
}

void SkinButtonWnd::OnSetFont(HFONT font, BOOL redraw) {
  // WM_SETFONT hands over a font the sender keeps; the button draws with
  // its own copy, made when the parent's font was taken.
  if (font != font_.GetSafeHandle()) {
    LOGFONTA description;
    if (font != nullptr && ::GetObjectA(font, sizeof(description), &description) ==
                               static_cast<int>(sizeof(description))) {
      font_.CreateFontIndirect(&description);
    }
  }
  if (redraw) Invalidate(FALSE);
}

HFONT SkinButtonWnd::OnGetFont() { return font_.GetSafeHandle(); }
