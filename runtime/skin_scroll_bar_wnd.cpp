#include "runtime/skin_scroll_bar_wnd.h"

#include <cstring>
#include <initializer_list>

#include "imaging/dib_section_win.h"

namespace {

constexpr int kSize = SkinScrollBarWnd::kDefaultPictureSize;

// Renders one DrawFrameControl face into a kSize x kSize 24-bit picture.
bool RenderFrameControl(DibImage& picture, UINT type, UINT state) {
  DibSection section;
  if (!section.Create(nullptr, kSize, kSize, 24)) return false;
  RECT face = {0, 0, kSize, kSize};
  ::DrawFrameControl(section.Context(), &face, type, state);
  ::GdiFlush();
  if (picture.Create(kSize, kSize, 24, DibImage::kFormatBmp) == nullptr) return false;
  for (int y = 0; y < kSize; ++y)
    std::memcpy(picture.Row(kSize - 1 - y), section.RowFromTop(y), kSize * 3);
  return true;
}

bool FillPicture(DibImage& picture, COLORREF color) {
  if (picture.Create(kSize, kSize, 24, DibImage::kFormatBmp) == nullptr) return false;
  const RGBQUAD pixel = {GetBValue(color), GetGValue(color), GetRValue(color), 0};
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) picture.SetPixelColor(x, y, pixel);
  return true;
}

}  // namespace

const DibImage* SkinScrollBarWnd::Picture::Get() const {
  if (skin != nullptr && skin->IsValid()) return skin;
  return own.IsValid() ? &own : nullptr;
}

SkinScrollBarWnd::~SkinScrollBarWnd() {
  // The buttons refer to the pictures held here: they go first.
  if (m_hWnd != nullptr) DestroyWindow();
}

void SkinScrollBarWnd::SetUpArrowBitmaps(const DibImage* up, const DibImage* down,
                                         const DibImage* focus, const DibImage* disable) {
  upArrowPictures_[kArrowUp].skin = up;
  upArrowPictures_[kArrowDown].skin = down;
  upArrowPictures_[kArrowFocus].skin = focus;
  upArrowPictures_[kArrowDisable].skin = disable;
}

void SkinScrollBarWnd::SetDownArrowBitmaps(const DibImage* up, const DibImage* down,
                                           const DibImage* focus, const DibImage* disable) {
  downArrowPictures_[kArrowUp].skin = up;
  downArrowPictures_[kArrowDown].skin = down;
  downArrowPictures_[kArrowFocus].skin = focus;
  downArrowPictures_[kArrowDisable].skin = disable;
}

void SkinScrollBarWnd::SetThumbBitmaps(const DibImage* up, const DibImage* focus,
                                       const DibImage* disable) {
  thumbPictures_[kThumbUp].skin = up;
  thumbPictures_[kThumbFocus].skin = focus;
  thumbPictures_[kThumbDisable].skin = disable;
}

bool SkinScrollBarWnd::SetTrackBackground(const DibImage* picture) {
  if (picture == nullptr || !picture->IsValid()) {
    trackBackground_.Destroy();
    return true;
  }
  return trackBackground_.Copy(*picture, true, true);
}

BOOL SkinScrollBarWnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (parent == nullptr) return FALSE;
  if (!CreateEx(0, nullptr, "", style, 0, 0, 0, 0, parent->GetSafeHwnd(),
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return FALSE;
  if (!MakeDefaultPictures() || !CreateButtons()) {
    DestroyWindow();
    return FALSE;
  }
  MoveWindow(&rect, TRUE);
  UpdateThumb();
  return TRUE;
}

bool SkinScrollBarWnd::MakeDefaultArrow(Picture (&pictures)[kArrowPictures], UINT arrowKind) {
  bool made = true;
  if (pictures[kArrowUp].Get() == nullptr)
    made &= RenderFrameControl(pictures[kArrowUp].own, DFC_SCROLL, arrowKind);
  if (pictures[kArrowDown].Get() == nullptr)
    made &= RenderFrameControl(pictures[kArrowDown].own, DFC_SCROLL, arrowKind | DFCS_PUSHED);
  if (pictures[kArrowDisable].Get() == nullptr)
    made &= RenderFrameControl(pictures[kArrowDisable].own, DFC_SCROLL, arrowKind | DFCS_INACTIVE);
  if (pictures[kArrowFocus].Get() == nullptr && pictures[kArrowUp].Get() != nullptr)
    made &= pictures[kArrowFocus].own.Copy(*pictures[kArrowUp].Get());
  return made;
}

bool SkinScrollBarWnd::MakeDefaultPictures() {
  // Made afresh at every Create: the orientation may have changed.
  for (Picture* group : {upArrowPictures_, downArrowPictures_})
    for (int index = 0; index < kArrowPictures; ++index) group[index].own.Destroy();
  for (Picture& picture : thumbPictures_) picture.own.Destroy();
  bool made = true;
  if (!trackBackground_.IsValid())
    made &= FillPicture(trackBackground_, ::GetSysColor(COLOR_SCROLLBAR));
  made &= MakeDefaultArrow(upArrowPictures_, horizontal_ ? DFCS_SCROLLLEFT : DFCS_SCROLLUP);
  made &= MakeDefaultArrow(downArrowPictures_, horizontal_ ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN);
  if (thumbPictures_[kThumbUp].Get() == nullptr)
    made &= RenderFrameControl(thumbPictures_[kThumbUp].own, DFC_BUTTON, DFCS_BUTTONPUSH);
  if (thumbPictures_[kThumbDisable].Get() == nullptr)
    made &= RenderFrameControl(thumbPictures_[kThumbDisable].own, DFC_BUTTON,
                               DFCS_BUTTONPUSH | DFCS_INACTIVE);
  if (thumbPictures_[kThumbFocus].Get() == nullptr && thumbPictures_[kThumbUp].Get() != nullptr)
    made &= thumbPictures_[kThumbFocus].own.Copy(*thumbPictures_[kThumbUp].Get());
  return made;
}

bool SkinScrollBarWnd::CreateButtons() {
  const Picture* up = upArrowPictures_;
  const Picture* down = downArrowPictures_;
  const Picture* thumb = thumbPictures_;
  return upArrow_.Create(this, up[kArrowUp].Get(), up[kArrowDown].Get(), up[kArrowFocus].Get(),
                         up[kArrowDisable].Get(), nullptr, nullptr, kChildId) &&
         downArrow_.Create(this, down[kArrowUp].Get(), down[kArrowDown].Get(),
                           down[kArrowFocus].Get(), down[kArrowDisable].Get(), nullptr, nullptr,
                           kChildId) &&
         thumb_.Create(this, thumb[kThumbUp].Get(), nullptr, thumb[kThumbFocus].Get(),
                       thumb[kThumbDisable].Get(), nullptr, nullptr, kChildId);
}

// --- Range and layout --------------------------------------------------------

void SkinScrollBarWnd::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  SetPos(position_);
}

void SkinScrollBarWnd::SetPos(int position) {
  if (position > maximum_) position = maximum_;
  if (position < minimum_) position = minimum_;
  position_ = position;
}

CRect SkinScrollBarWnd::ChildRect(const CWnd& child) const {
  CRect rect;
  if (child.GetSafeHwnd() == nullptr) return rect;
  child.GetWindowRect(&rect);
  ScreenToClient(&rect);
  return rect;
}

void SkinScrollBarWnd::MoveChildAlong(CWnd& child, int along) {
  if (child.GetSafeHwnd() == nullptr) return;
  const int x = horizontal_ ? along : 0;
  const int y = horizontal_ ? 0 : along;
  if (ChildRect(child).TopLeft() == CPoint(x, y)) return;
  child.SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int SkinScrollBarWnd::ClientLength() const {
  CRect client;
  GetClientRect(&client);
  return AlongSize(client);
}

int SkinScrollBarWnd::TrackLength() const {
  if (m_hWnd == nullptr) return 0;
  return ClientLength() - AlongSize(ChildRect(upArrow_)) - AlongSize(ChildRect(downArrow_)) -
         AlongSize(ChildRect(thumb_));
}

void SkinScrollBarWnd::UpdateThumb() {
  if (m_hWnd == nullptr) return;
  const int length = ClientLength();
  MoveChildAlong(upArrow_, 0);
  MoveChildAlong(downArrow_, length - AlongSize(ChildRect(downArrow_)));
  const int track = TrackLength();
  const int range = maximum_ - minimum_;
  const int offset = range > 0 && track > 0 ? ::MulDiv(position_ - minimum_, track, range) : 0;
  MoveChildAlong(thumb_, AlongSize(ChildRect(upArrow_)) + offset);
}

// --- Drawing -----------------------------------------------------------------

void SkinScrollBarWnd::DrawTo(HDC dc, int x, int y) {
  if (m_hWnd == nullptr || dc == nullptr) return;
  CRect client;
  GetClientRect(&client);
  client.OffsetRect(x, y);
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  trackBackground_.Tile(dc, client);
  for (SkinButtonWnd* child : {&upArrow_, &downArrow_, &thumb_}) {
    if (child->GetSafeHwnd() == nullptr || (child->GetStyle() & WS_VISIBLE) == 0) continue;
    const CRect at = ChildRect(*child);
    child->DrawTo(dc, x + at.left, y + at.top);
  }
  ::RestoreDC(dc, saved);
}

void SkinScrollBarWnd::OnPaint() { PaintBuffered(); }

BOOL SkinScrollBarWnd::OnEraseBkgnd(HDC) { return TRUE; }

// --- Messages ----------------------------------------------------------------

LRESULT SkinScrollBarWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    HWND sender = reinterpret_cast<HWND>(lParam);
    const WORD code = HIWORD(wParam);
    if (sender != nullptr &&
        (sender == upArrow_.GetSafeHwnd() || sender == downArrow_.GetSafeHwnd())) {
      OnArrowCode(sender, code);
      return 0;
    }
    if (sender != nullptr && sender == thumb_.GetSafeHwnd()) {
      OnThumbCode(code);
      return 0;
    }
  }
  if (message == WM_WINDOWPOSCHANGING && trackBackground_.IsValid()) {
    WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if ((pos->flags & SWP_NOSIZE) == 0) {
      if (horizontal_)
        pos->cy = trackBackground_.Height();
      else
        pos->cx = trackBackground_.Width();
    }
  }
  return SkinObjectWnd::WindowProc(message, wParam, lParam);
}

void SkinScrollBarWnd::OnDestroy() {
  StopRepeatTimer();
  SkinObjectWnd::OnDestroy();
}

void SkinScrollBarWnd::OnSize(UINT type, int cx, int cy) {
  SkinObjectWnd::OnSize(type, cx, cy);
  UpdateThumb();
}

void SkinScrollBarWnd::OnEnable(BOOL enabled) {
  for (SkinButtonWnd* child : {&upArrow_, &downArrow_, &thumb_})
    if (child->GetSafeHwnd() != nullptr) child->EnableWindow(enabled);
  Invalidate(FALSE);
  SkinObjectWnd::OnEnable(enabled);
}

void SkinScrollBarWnd::OnArrowCode(HWND arrow, WORD code) {
  if (code == SkinButtonWnd::kPressed) {
    scrollDown_ = arrow == downArrow_.GetSafeHwnd();
    if (!autoRepeat_) {
      autoRepeat_ = true;
      StartRepeatTimer();
    }
  } else if (code == SkinButtonWnd::kReleased) {
    autoRepeat_ = false;
    StopRepeatTimer();
  }
}

// Code 2 starts the drag; the release codes end it. The codes the held
// thumb keeps posting (0xFD after the press, the 10 ms and 300 ms repeats)
// must not end a drag that has just begun.
void SkinScrollBarWnd::OnThumbCode(WORD code) {
  if (code == SkinButtonWnd::kPressed) {
    if (thumbDragging_) return;
    thumbDragging_ = true;
    POINT cursor;
    ::GetCursorPos(&cursor);
    thumb_.ScreenToClient(&cursor);
    grabPoint_ = cursor;
    SetCapture();
  } else if (code == SkinButtonWnd::kReleased || code == SkinButtonWnd::kClicked) {
    thumbDragging_ = false;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  }
}

void SkinScrollBarWnd::StartRepeatTimer() {
  if (repeatTimerRunning_) return;
  repeatTimerRunning_ = SetTimer(kRepeatTimer, kRepeatPeriod) != 0;
}

void SkinScrollBarWnd::StopRepeatTimer() {
  if (!repeatTimerRunning_) return;
  KillTimer(kRepeatTimer);
  repeatTimerRunning_ = false;
}

CPoint SkinScrollBarWnd::CursorInClient() const {
  POINT cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  return CPoint(cursor);
}

bool SkinScrollBarWnd::CursorOverThumb(CPoint cursor) const {
  return ChildRect(thumb_).PtInRect(cursor);
}

bool SkinScrollBarWnd::PagingTargetAhead(CPoint cursor) const {
  const CRect thumb = ChildRect(thumb_);
  const int thumbStart = horizontal_ ? thumb.left : thumb.top;
  const int thumbEnd = horizontal_ ? thumb.right : thumb.bottom;
  return scrollDown_ ? Along(cursor) >= thumbEnd : Along(cursor) < thumbStart;
}

void SkinScrollBarWnd::OnTimer(UINT_PTR id) {
  if (id != kRepeatTimer) {
    SkinObjectWnd::OnTimer(id);
    return;
  }
  RepeatStep();
}

void SkinScrollBarWnd::RepeatStep() {
  const CPoint cursor = CursorInClient();
  if (CursorOverThumb(cursor)) return;
  // Paging walks the thumb up to the cursor and no further: a step larger
  // than the thumb could otherwise carry it past and on to the end.
  if (trackPaging_ && !PagingTargetAhead(cursor)) return;
  StepPosition(scrollDown_ ? 1 : -1);
}

void SkinScrollBarWnd::StepPosition(int step) {
  const int before = position_;
  SetPos(position_ + step);
  if (position_ == before) return;
  UpdateThumb();
  NotifyParent();
}

void SkinScrollBarWnd::NotifyParent() {
  HWND parent = ::GetParent(m_hWnd);
  if (parent != nullptr)
    ::SendMessageA(parent, kPositionChanged, 0, reinterpret_cast<LPARAM>(m_hWnd));
}

void SkinScrollBarWnd::OnLButtonDown(UINT, CPoint point) {
  autoRepeat_ = false;
  trackPaging_ = true;
  TrackPagingMove(point);
  SetCapture();
}

// With CS_DBLCLKS a quick second press on the track arrives as a double
// click; it pages like any press.
void SkinScrollBarWnd::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

void SkinScrollBarWnd::TrackPagingMove(CPoint point) {
  const CRect thumb = ChildRect(thumb_);
  const int thumbStart = horizontal_ ? thumb.left : thumb.top;
  const int thumbEnd = horizontal_ ? thumb.right : thumb.bottom;
  if (Along(point) >= thumbEnd) scrollDown_ = true;
  if (Along(point) < thumbStart) scrollDown_ = false;
  CRect client;
  GetClientRect(&client);
  if (client.PtInRect(point) && !thumb.PtInRect(point))
    StartRepeatTimer();
  else
    StopRepeatTimer();
}

void SkinScrollBarWnd::ThumbDragMove(CPoint point) {
  const int upLength = AlongSize(ChildRect(upArrow_));
  const int downLength = AlongSize(ChildRect(downArrow_));
  const int thumbLength = AlongSize(ChildRect(thumb_));
  const int lowest = upLength;
  const int highest = ClientLength() - downLength - thumbLength;
  int thumbStart = Along(point) - Along(grabPoint_);
  if (thumbStart > highest) thumbStart = highest;
  if (thumbStart < lowest) thumbStart = lowest;
  MoveChildAlong(thumb_, thumbStart);

  // The thumb's place along the whole free track maps linearly onto the
  // range.
  const int track = TrackLength();
  const int range = maximum_ - minimum_;
  int position = minimum_;
  if (track > 0 && range > 0) {
    const double offset = thumbStart - upLength;
    position = minimum_ + static_cast<int>(offset / (static_cast<double>(track) / range) + 0.5);
  }
  const int before = position_;
  SetPos(position);
  if (position_ != before) NotifyParent();
}

void SkinScrollBarWnd::OnMouseMove(UINT flags, CPoint point) {
  if (thumbDragging_)
    ThumbDragMove(point);
  else if (trackPaging_)
    TrackPagingMove(point);
  SkinObjectWnd::OnMouseMove(flags, point);
}

void SkinScrollBarWnd::EndMouseTracking() {
  if (thumbDragging_) UpdateThumb();
  autoRepeat_ = false;
  trackPaging_ = false;
  thumbDragging_ = false;
  StopRepeatTimer();
}

void SkinScrollBarWnd::OnLButtonUp(UINT flags, CPoint point) {
  EndMouseTracking();
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  // The bar took the mouse from the pressed thumb, so the thumb never saw
  // the release: hand it over, so the thumb ends its press too.
  if (thumb_.GetSafeHwnd() != nullptr && thumb_.IsPressed()) {
    POINT inThumb = point;
    ClientToScreen(&inThumb);
    thumb_.ScreenToClient(&inThumb);
    thumb_.SendMessage(WM_LBUTTONUP, flags, MAKELPARAM(inThumb.x, inThumb.y));
  }
}

void SkinScrollBarWnd::OnCaptureChanged(HWND newCapture) {
  if (newCapture != m_hWnd && (trackPaging_ || thumbDragging_)) EndMouseTracking();
  SkinObjectWnd::OnCaptureChanged(newCapture);
}
