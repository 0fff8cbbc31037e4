#include "runtime/skin_drive_list_wnd.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "imaging/selected_object_win.h"

namespace {

constexpr UINT kCaptionFlags =
    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS;  // 0x40025

const DibImage* WithPixels(const DibImage* picture) {
  return picture != nullptr && picture->IsValid() ? picture : nullptr;
}

}  // namespace

SkinDriveListWnd::~SkinDriveListWnd() {
  if (m_hWnd != nullptr) DestroyWindow();
}

void SkinDriveListWnd::SetUpArrowBitmaps(const DibImage* up, const DibImage* down,
                                         const DibImage* focus, const DibImage* disable) {
  upArrowBitmaps_[0] = WithPixels(up);
  upArrowBitmaps_[1] = WithPixels(down);
  upArrowBitmaps_[2] = WithPixels(focus);
  upArrowBitmaps_[3] = WithPixels(disable);
}

void SkinDriveListWnd::SetDownArrowBitmaps(const DibImage* up, const DibImage* down,
                                           const DibImage* focus, const DibImage* disable) {
  downArrowBitmaps_[0] = WithPixels(up);
  downArrowBitmaps_[1] = WithPixels(down);
  downArrowBitmaps_[2] = WithPixels(focus);
  downArrowBitmaps_[3] = WithPixels(disable);
}

void SkinDriveListWnd::SetDriveBitmaps(const DibImage* driveButton, const DibImage* ledOn,
                                       const DibImage* ledOff) {
  driveButton_ = WithPixels(driveButton);
  ledOn_ = WithPixels(ledOn);
  ledOff_ = WithPixels(ledOff);
}

BOOL SkinDriveListWnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (parent == nullptr) return FALSE;
  if (!CreateEx(0, nullptr, "", style | WS_CLIPCHILDREN, 0, 0, 0, 0, parent->GetSafeHwnd(),
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return FALSE;
  const DibImage* const* up = upArrowBitmaps_;
  const DibImage* const* down = downArrowBitmaps_;
  if (!upArrow_.Create(this, up[0], up[1], up[2], up[3], nullptr, nullptr, kArrowId) ||
      !downArrow_.Create(this, down[0], down[1], down[2], down[3], nullptr, nullptr, kArrowId)) {
    DestroyWindow();
    return FALSE;
  }
  TakeParentFont();
  MoveWindow(&rect, TRUE);
  UpdateArrows();
  return TRUE;
}

void SkinDriveListWnd::OnDestroy() {
  StopScrolling();
  SkinObjectWnd::OnDestroy();
}

bool SkinDriveListWnd::SetMoveMode(bool on) { return SetMoveModeFlag(on); }

// --- Fonts -------------------------------------------------------------------

void SkinDriveListWnd::TakeParentFont() {
  HWND parent = ::GetParent(m_hWnd);
  HFONT parentFont = reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0));
  // A window without a font of its own draws with the system font.
  if (parentFont == nullptr) parentFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
  LOGFONTA font = {};
  if (::GetObjectA(parentFont, sizeof font, &font) != static_cast<int>(sizeof font)) return;
  font_.CreateFontIndirect(&font);
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font_.GetSafeHandle()), TRUE);
}

void SkinDriveListWnd::OnSetFont(HFONT font, BOOL redraw) {
  if (font != nullptr && font != font_.GetSafeHandle()) {
    LOGFONTA description = {};
    if (::GetObjectA(font, sizeof description, &description) ==
        static_cast<int>(sizeof description))
      font_.CreateFontIndirect(&description);
  }
  if (redraw && m_hWnd != nullptr) RedrawWindow();
}

HFONT SkinDriveListWnd::OnGetFont() { return font_.GetSafeHandle(); }

// --- Rows ----------------------------------------------------------------------

int SkinDriveListWnd::AddItem(const char* text, const char* path, DWORD data, bool redraw) {
  Drive drive;
  drive.text = text != nullptr ? text : "";
  drive.path = path != nullptr ? path : "";
  drive.data = data;
  drive.textColor = textColor_;
  items_.push_back(std::move(drive));
  UpdateArrows();
  if (redraw && m_hWnd != nullptr) RedrawWindow();
  return GetCount();
}

void SkinDriveListWnd::AddItems(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) {
    Drive drive;
    drive.text = text;
    drive.textColor = textColor_;
    items_.push_back(std::move(drive));
  }
  UpdateArrows();
}

const SkinDriveListWnd::Drive* SkinDriveListWnd::GetDrive(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return &items_[static_cast<size_t>(index)];
}

void SkinDriveListWnd::ClearLeds(bool redraw) {
  for (Drive& drive : items_) drive.ledLit = false;
  if (redraw && m_hWnd != nullptr) Invalidate(TRUE);
}

// --- Geometry ------------------------------------------------------------------

bool SkinDriveListWnd::Shown(const CWnd& window) {
  return window.GetSafeHwnd() != nullptr && (window.GetStyle() & WS_VISIBLE) != 0;
}

CSize SkinDriveListWnd::SizeOf(const DibImage* picture) {
  if (picture == nullptr || !picture->IsValid()) return CSize(0, 0);
  return CSize(picture->Width(), picture->Height());
}

CRect SkinDriveListWnd::ChildRect(const CWnd& child) const {
  CRect rect;
  if (child.GetSafeHwnd() == nullptr) return rect;
  child.GetWindowRect(&rect);
  ScreenToClient(&rect);
  return rect;
}

int SkinDriveListWnd::TopMargin() const {
  return Shown(upArrow_) ? ChildRect(upArrow_).Height() : 0;
}

int SkinDriveListWnd::RowTop(int index) const {
  return kSpacing + (ButtonSize().cy + kSpacing) * index + scrollOffset_ + TopMargin();
}

void SkinDriveListWnd::UpdateArrows() {
  if (upArrow_.GetSafeHwnd() == nullptr || downArrow_.GetSafeHwnd() == nullptr) return;
  bool showUp = false;
  bool showDown = false;
  if (m_hWnd != nullptr) {
    showUp = scrollOffset_ < 0;
    if (!items_.empty()) {
      CRect client;
      GetClientRect(&client);
      CRect arrowClient;
      downArrow_.GetClientRect(&arrowClient);
      // Rows only grow downwards: the last one decides.
      const int last = GetCount() - 1;
      const int buttonHeight = ButtonSize().cy;
      showDown = kSpacing + (buttonHeight + kSpacing) * last + buttonHeight + scrollOffset_ +
                     arrowClient.Height() >
                 client.Height();
    }
  }
  if (Shown(upArrow_) != showUp) upArrow_.ShowWindow(showUp ? SW_SHOWNA : SW_HIDE);
  if (Shown(downArrow_) != showDown) downArrow_.ShowWindow(showDown ? SW_SHOWNA : SW_HIDE);
}

void SkinDriveListWnd::OnSize(UINT type, int cx, int cy) {
  SkinObjectWnd::OnSize(type, cx, cy);
  const UINT keep = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (upArrow_.GetSafeHwnd() != nullptr)
    upArrow_.SetWindowPos(nullptr, cx / 2 - ChildRect(upArrow_).Width() / 2, 0, 0, 0, keep);
  if (downArrow_.GetSafeHwnd() != nullptr) {
    const CRect down = ChildRect(downArrow_);
    downArrow_.SetWindowPos(nullptr, cx / 2 - down.Width() / 2, cy - down.Height(), 0, 0, keep);
  }
  UpdateArrows();
  Invalidate(FALSE);
}

// --- Drawing -------------------------------------------------------------------

void SkinDriveListWnd::DrawBackground(HDC dc, int x, int y, const CRect& client) {
  CRect area(client);
  area.OffsetRect(x, y);
  DrawFramedBackground(dc, area, background_);
}

void SkinDriveListWnd::DrawRows(HDC dc, int x, int y, const CRect& client) {
  const CSize button = ButtonSize();
  const CSize led = LedSize();
  const int total = button.cx + led.cx;
  const int left = client.Width() / 2 - total / 2;
  const int areaTop = TopMargin();
  const int areaBottom = client.Height() - (Shown(downArrow_) ? ChildRect(downArrow_).Height() : 0);
  for (int index = 0; index < GetCount(); ++index) {
    const Drive& drive = items_[static_cast<size_t>(index)];
    const int top = RowTop(index);
    const int ledTop = top + button.cy / 2 - led.cy / 2;
    // Rows wholly outside the content area cannot show.
    if (std::max(top + button.cy, ledTop + led.cy) <= areaTop) continue;
    if (std::min(top, ledTop) >= areaBottom) break;
    if (driveButton_ != nullptr) driveButton_->Draw(dc, x + left, y + top);
    ::SetTextColor(dc, drive.textColor);
    CRect caption(x + left, y + top, x + left + button.cx, y + top + button.cy);
    ::DrawTextA(dc, drive.text.c_str(), -1, &caption, kCaptionFlags);
    if (led.cx > 0) {
      const DibImage* lamp = drive.ledLit ? ledOn_ : ledOff_;
      if (lamp != nullptr) lamp->Draw(dc, x + left + button.cx, y + ledTop);
    }
  }
}

void SkinDriveListWnd::DrawTo(HDC dc, int x, int y) {
  if (m_hWnd == nullptr || dc == nullptr) return;
  CRect client;
  GetClientRect(&client);
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, x, y, x + client.Width(), y + client.Height());
  DrawBackground(dc, x, y, client);
  const int areaBottom = client.Height() - (Shown(downArrow_) ? ChildRect(downArrow_).Height() : 0);
  ::IntersectClipRect(dc, x, y + TopMargin(), x + client.Width(), y + areaBottom);
  {
    SelectedObject selected(dc, font_.GetSafeHandle());
    ::SetBkMode(dc, TRANSPARENT);
    DrawRows(dc, x, y, client);
  }
  ::RestoreDC(dc, saved);
  for (SkinButtonWnd* arrow : {&upArrow_, &downArrow_}) {
    if (!Shown(*arrow)) continue;
    const CRect at = ChildRect(*arrow);
    arrow->DrawTo(dc, x + at.left, y + at.top);
  }
}

void SkinDriveListWnd::OnPaint() { PaintBuffered(); }

BOOL SkinDriveListWnd::OnEraseBkgnd(HDC) { return TRUE; }

// --- Messages ------------------------------------------------------------------

LRESULT SkinDriveListWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      HWND sender = reinterpret_cast<HWND>(lParam);
      if (sender != nullptr &&
          (sender == upArrow_.GetSafeHwnd() || sender == downArrow_.GetSafeHwnd())) {
        scrollDown_ = sender == downArrow_.GetSafeHwnd();
        const WORD code = HIWORD(wParam);
        if (code == SkinButtonWnd::kPressed || code == SkinButtonWnd::kReleased) {
          OnArrowCode(sender, code);
          return 0;
        }
      }
      break;
    }
    case WM_WINDOWPOSCHANGING: {
      WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      const int widest = std::max(ChildRect(upArrow_).Width(), ChildRect(downArrow_).Width());
      if ((pos->flags & SWP_NOSIZE) == 0 && pos->cx < widest) pos->cx = widest;
      break;
    }
    case WM_NCPAINT:
      if ((GetStyle() & WS_THICKFRAME) != 0) {
        PaintSizingFrame(background_);
        return 0;
      }
      break;
    default:
      break;
  }
  return SkinObjectWnd::WindowProc(message, wParam, lParam);
}

void SkinDriveListWnd::OnArrowCode(HWND, WORD code) {
  if (code == SkinButtonWnd::kPressed) {
    if (!scrolling_) {
      scrolling_ = true;
      SetTimer(kScrollTimer, kScrollPeriod);
    }
  } else {
    StopScrolling();
  }
}

void SkinDriveListWnd::StopScrolling() {
  if (!scrolling_) return;
  scrolling_ = false;
  KillTimer(kScrollTimer);
}

bool SkinDriveListWnd::ScrollBy(int delta) {
  const int before = scrollOffset_;
  scrollOffset_ = std::min(0, scrollOffset_ + delta);
  return scrollOffset_ != before;
}

void SkinDriveListWnd::OnTimer(UINT_PTR id) {
  if (id != kScrollTimer) {
    SkinObjectWnd::OnTimer(id);
    return;
  }
  bool changed = false;
  if (scrollDown_ && Shown(downArrow_))
    changed = ScrollBy(-1);
  else if (!scrollDown_ && Shown(upArrow_))
    changed = ScrollBy(1);
  if (!changed) return;
  UpdateArrows();
  Invalidate(TRUE);
}

BOOL SkinDriveListWnd::OnMouseWheel(UINT, short delta, CPoint) {
  bool changed = false;
  if (delta < 0 && Shown(downArrow_))
    changed = ScrollBy(-kWheelStep);
  else if (delta >= 1 && Shown(upArrow_))
    changed = ScrollBy(kWheelStep);
  if (changed) Invalidate(TRUE);
  UpdateArrows();
  return TRUE;
}

int SkinDriveListWnd::HitRow(CPoint point) const {
  CRect client;
  GetClientRect(&client);
  const int height = ButtonSize().cy;
  for (int index = 0; index < GetCount(); ++index) {
    const int top = RowTop(index);
    if (CRect(0, top, client.Width(), top + height).PtInRect(point)) return index;
  }
  return -1;
}

void SkinDriveListWnd::OnLButtonDown(UINT flags, CPoint point) {
  selected_ = -1;
  const int hit = HitRow(point);
  if (hit < 0) {
    PostToParentAt(WM_LBUTTONDOWN, flags, point);
    return;
  }
  selected_ = hit;
  ClearLeds(false);
  items_[static_cast<size_t>(hit)].ledLit = true;
  Invalidate(TRUE);
  HWND parent = ::GetParent(m_hWnd);
  if (parent != nullptr)
    ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), kSelected),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

// With CS_DBLCLKS a quick second click arrives as a double click; it
// selects like any click.
void SkinDriveListWnd::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

// --- Editor move mode ----------------------------------------------------------

void SkinDriveListWnd::OnRButtonDown(UINT, CPoint point) { BeginMoveDrag(point); }

void SkinDriveListWnd::OnMouseMove(UINT flags, CPoint point) {
  MoveDragTo(point);
  SkinObjectWnd::OnMouseMove(flags, point);
}

void SkinDriveListWnd::OnRButtonUp(UINT flags, CPoint point) {
  EndMoveDrag();
  PostToParentAt(WM_RBUTTONUP, flags, point);
}

void SkinDriveListWnd::OnCaptureChanged(HWND newCapture) {
  if (newCapture != m_hWnd) CancelMoveDrag();
  SkinObjectWnd::OnCaptureChanged(newCapture);
}

void SkinDriveListWnd::OnEnable(BOOL enabled) {
  for (SkinButtonWnd* arrow : {&upArrow_, &downArrow_})
    if (arrow->GetSafeHwnd() != nullptr) arrow->EnableWindow(enabled);
  Invalidate(FALSE);
  SkinObjectWnd::OnEnable(enabled);
}
