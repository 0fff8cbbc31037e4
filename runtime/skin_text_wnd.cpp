#include "runtime/skin_text_wnd.h"

#include <utility>

#include "imaging/selected_object_win.h"
#include "ui/cclient_dc.h"
#include "ui/cwindow_dc.h"

namespace {

constexpr UINT kMeasureFlags = DT_CALCRECT | DT_SINGLELINE;
constexpr UINT kScrollingFlags = DT_VCENTER | DT_SINGLELINE;
constexpr UINT kCentredFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local = {};
  if (localtime_s(&local, &now) != 0) return std::tm{};
  return local;
}

// The strftime format of a clock kind; null for the kinds that show the
// window text.
const char* ClockFormat(int kind) {
  switch (kind) {
    case SkinTextWnd::kDateAndTime:
      return "%d.%m.%Y %H:%M:%S";
    case SkinTextWnd::kDate:
      return "%d.%m.%Y";
    case SkinTextWnd::kTime:
      return "%H:%M:%S";
    default:
      return nullptr;
  }
}

}  // namespace

SkinTextWnd::SkinTextWnd() : clock_(&LocalNow) {}

SkinTextWnd::~SkinTextWnd() {
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL SkinTextWnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (parent == nullptr) return FALSE;
  if (!CreateEx(0, nullptr, "", style, rect, parent, id)) return FALSE;
  TakeParentFont();
  return TRUE;
}

int SkinTextWnd::OnCreate(LPCREATESTRUCTA createStruct) {
  if (SkinObjectWnd::OnCreate(createStruct) == -1) return -1;
  RestartTimer(kRefreshPeriod);
  return 0;
}

void SkinTextWnd::OnDestroy() {
  KillTimer(kRefreshTimer);
  SkinObjectWnd::OnDestroy();
}

bool SkinTextWnd::SetMoveMode(bool on) { return SetMoveModeFlag(on); }

void SkinTextWnd::SetClock(Clock clock) { clock_ = clock ? std::move(clock) : Clock(&LocalNow); }

// --- Fonts -------------------------------------------------------------------

void SkinTextWnd::TakeParentFont() {
  HWND parent = ::GetParent(m_hWnd);
  HFONT parentFont = reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0));
  // A window without a font of its own draws with the system font.
  if (parentFont == nullptr) parentFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
  LOGFONTA description = {};
  if (::GetObjectA(parentFont, sizeof description, &description) !=
          static_cast<int>(sizeof description) ||
      !font_.CreateFontIndirect(&description))
    return;
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font_.GetSafeHandle()), TRUE);
}

void SkinTextWnd::OnSetFont(HFONT font, BOOL redraw) {
  // WM_SETFONT hands over a font the sender keeps; the text draws with a
  // copy of its own.
  if (font != nullptr && font != font_.GetSafeHandle()) {
    LOGFONTA description = {};
    if (::GetObjectA(font, sizeof description, &description) ==
        static_cast<int>(sizeof description))
      font_.CreateFontIndirect(&description);
  }
  if (redraw && m_hWnd != nullptr) Invalidate(TRUE);
}

HFONT SkinTextWnd::OnGetFont() { return font_.GetSafeHandle(); }

// --- Refreshing ----------------------------------------------------------------

void SkinTextWnd::UpdateText() {
  const char* format = ClockFormat(kind_);
  if (format == nullptr) {
    text_ = GetWindowText();
    return;
  }
  const std::tm now = clock_();
  char formatted[64] = {};
  if (std::strftime(formatted, sizeof formatted, format, &now) == 0) formatted[0] = '\0';
  text_ = formatted;
}

void SkinTextWnd::RestartTimer(UINT period) {
  SetTimer(kRefreshTimer, period);
  timerPeriod_ = period;
}

int SkinTextWnd::MeasureTextWidth() {
  CClientDC dc(this);
  const SelectedObject font(dc, font_.GetSafeHandle());
  UpdateText();
  if (static_cast<HDC>(dc) == nullptr) return 0;
  CRect measured(0, 0, 0, 0);
  ::DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &measured, kMeasureFlags);
  return measured.Width();
}

void SkinTextWnd::StepMarquee(int clientWidth, int textWidth, int clientHeight) {
  const int leftEnd = clientWidth - textWidth;
  int left = textRect_.left;
  if (left < leftEnd) {
    left = leftEnd;
    scrollLeft_ = false;
    pausePending_ = true;
  } else if (left > 0) {
    left = 0;
    scrollLeft_ = true;
    pausePending_ = true;
  }
  if (pausePending_) RestartTimer(kPausePeriod);
  left += scrollLeft_ ? -1 : 1;
  textRect_.SetRect(left, 0, left + textWidth, clientHeight);
}

void SkinTextWnd::Tick() {
  if (m_hWnd == nullptr) return;
  // The pause at an end of the marquee is over.
  if (pausePending_) {
    pausePending_ = false;
    RestartTimer(kRefreshPeriod);
  }
  const int textWidth = MeasureTextWidth();
  CRect client;
  GetClientRect(&client);
  scrolling_ = client.Width() - textWidth < 0;
  bool changed = text_ != previousText_;
  if (scrolling_) {
    StepMarquee(client.Width(), textWidth, client.Height());
    changed = changed || textRect_ != previousRect_;
  }
  if (changed) InvalidateFace();
  previousRect_ = textRect_;
  previousText_ = text_;
}

void SkinTextWnd::InvalidateFace() { Invalidate(TRUE); }

void SkinTextWnd::OnTimer(UINT_PTR id) {
  if (id == kRefreshTimer) {
    Tick();
    return;
  }
  SkinObjectWnd::OnTimer(id);
}

// --- Drawing -------------------------------------------------------------------

void SkinTextWnd::DrawBackground(HDC dc, const CRect& area) {
  DrawFramedBackground(dc, area, background_);
}

void SkinTextWnd::DrawTextLine(HDC dc, const CRect& area) {
  const SelectedObject font(dc, font_.GetSafeHandle());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, textColor_);
  UpdateText();
  if (text_.empty()) return;
  CRect placed;
  UINT flags = kCentredFlags;
  if (scrolling_) {
    placed = textRect_;
    placed.OffsetRect(area.left, area.top);
    flags = kScrollingFlags;
  } else {
    placed = area;
  }
  ::DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &placed, flags);
}

void SkinTextWnd::DrawTo(HDC dc, int x, int y) {
  if (m_hWnd == nullptr || dc == nullptr) return;
  CRect area;
  GetClientRect(&area);
  area.OffsetRect(x, y);
  // Tiles reach past the control's edge; nothing is drawn outside it.
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  DrawBackground(dc, area);
  DrawTextLine(dc, area);
  if (foreground_ != nullptr && foreground_->IsValid()) foreground_->DrawCentered(dc, area);
  ::RestoreDC(dc, saved);
}

void SkinTextWnd::DrawFrameTo(HDC dc) { DrawSizingFrameTo(dc, background_); }

void SkinTextWnd::OnPaint() { PaintBuffered(); }

// The face covers the whole client area; erasing first would only flicker.
BOOL SkinTextWnd::OnEraseBkgnd(HDC) { return TRUE; }

void SkinTextWnd::OnSize(UINT type, int cx, int cy) {
  SkinObjectWnd::OnSize(type, cx, cy);
  // Centred text moves with the size, not only in the uncovered part.
  Invalidate(FALSE);
}

LRESULT SkinTextWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCPAINT && (GetStyle() & WS_THICKFRAME) != 0) {
    CWindowDC dc(m_hWnd);
    if (dc.GetSafeHdc() != nullptr) DrawFrameTo(dc);
    return 0;
  }
  if (message == WM_LBUTTONDBLCLK) {
    // The window class reports a quick second click as a double click; for
    // the parent it is one more click.
    OnLButtonDown(static_cast<UINT>(wParam),
                  CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
    return 0;
  }
  return SkinObjectWnd::WindowProc(message, wParam, lParam);
}

// --- Mouse ---------------------------------------------------------------------

void SkinTextWnd::OnLButtonDown(UINT flags, CPoint point) {
  PostToParentAt(WM_LBUTTONDOWN, flags, point);
}

void SkinTextWnd::OnRButtonDown(UINT, CPoint point) { BeginMoveDrag(point); }

void SkinTextWnd::OnMouseMove(UINT flags, CPoint point) {
  MoveDragTo(point);
  SkinObjectWnd::OnMouseMove(flags, point);
}

void SkinTextWnd::OnRButtonUp(UINT flags, CPoint point) {
  EndMoveDrag();
  PostToParentAt(WM_RBUTTONUP, flags, point);
}

void SkinTextWnd::OnCaptureChanged(HWND newCapture) {
  if (newCapture != m_hWnd) CancelMoveDrag();
  SkinObjectWnd::OnCaptureChanged(newCapture);
}
