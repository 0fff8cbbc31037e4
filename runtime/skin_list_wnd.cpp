#include "runtime/skin_list_wnd.h"

#include <cstring>
#include <utility>

#include "imaging/screen_dc_win.h"
#include "imaging/selected_object_win.h"

namespace {

constexpr UINT kRowTextFlags = DT_VCENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS;  // 0x40024
constexpr UINT kRowMeasureFlags = DT_CALCRECT | DT_VCENTER | DT_SINGLELINE;    // 0x424

std::string& RememberedTip() {
  static std::string text;
  return text;
}

// Doubled, as the bold row font is; a "don't care" weight counts as normal.
LONG BoldWeight(LONG weight) {
  const LONG doubled = (weight > 0 ? weight : FW_NORMAL) * 2;
  return doubled < 1000 ? doubled : 1000;
}

}  // namespace

const std::string& SkinListWnd::LastTipText() { return RememberedTip(); }

SkinListWnd::~SkinListWnd() {
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL SkinListWnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (parent == nullptr) return FALSE;
  if (!CreateEx(0, nullptr, "", style | WS_CLIPCHILDREN, 0, 0, 0, 0, parent->GetSafeHwnd(),
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return FALSE;
  if (!scrollBar_.Create(kScrollBarStyle, CRect(0, 0, 0, 0), this, kScrollBarId)) {
    DestroyWindow();
    return FALSE;
  }
  TakeParentFont();
  MoveWindow(&rect, TRUE);
  return TRUE;
}

int SkinListWnd::OnCreate(LPCREATESTRUCTA createStruct) {
  return SkinObjectWnd::OnCreate(createStruct);
}

// The tooltip is a top-level window, the costliest part of a list to make;
// it is made when a row first has a tip to show.
bool SkinListWnd::EnsureToolTip() {
  if (toolTip_.GetSafeHwnd() != nullptr) return true;
  if (!toolTip_.Create(this)) return false;
  toolTip_.AddTool(this, "");
  toolTip_.Activate(FALSE);
  return true;
}

void SkinListWnd::OnDestroy() {
  if (selecting_) KillTimer(kSelectTimer);
  selecting_ = false;
  SkinObjectWnd::OnDestroy();
}

// --- Fonts -------------------------------------------------------------------

void SkinListWnd::TakeParentFont() {
  HWND parent = ::GetParent(m_hWnd);
  HFONT parentFont = reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0));
  // A window without a font of its own draws with the system font.
  if (parentFont == nullptr) parentFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
  LOGFONTA font = {};
  if (::GetObjectA(parentFont, sizeof font, &font) != static_cast<int>(sizeof font)) return;
  UseFont(font);
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font_.GetSafeHandle()), TRUE);
}

void SkinListWnd::UseFont(const LOGFONTA& font) {
  font_.CreateFontIndirect(&font);
  LOGFONTA bold = font;
  bold.lfWeight = BoldWeight(font.lfWeight);
  boldFont_.CreateFontIndirect(&bold);
  MeasureRowHeight();
}

void SkinListWnd::MeasureRowHeight() {
  int height = 0;
  {
    ScreenDC screen;
    SelectedObject selected(screen, font_.GetSafeHandle());
    TEXTMETRICA metrics = {};
    if (::GetTextMetricsA(screen, &metrics)) height = metrics.tmHeight;
  }
  rowHeight_ = height + kRowPadding;
  int iconWidth = 0;
  int iconHeight = 0;
  if (imageList_ != nullptr && ImageList_GetImageCount(imageList_) > 0 &&
      ImageList_GetIconSize(imageList_, &iconWidth, &iconHeight) && iconHeight > rowHeight_)
    rowHeight_ = iconHeight;
}

void SkinListWnd::OnSetFont(HFONT font, BOOL redraw) {
  if (font != nullptr && font != font_.GetSafeHandle()) {
    LOGFONTA description = {};
    if (::GetObjectA(font, sizeof description, &description) ==
        static_cast<int>(sizeof description))
      UseFont(description);
  }
  if (m_hWnd == nullptr) return;
  // The row height may have changed, and with it what fits.
  SetCurSel(current_, false);
  if (redraw) RedrawWindow();
}

HFONT SkinListWnd::OnGetFont() { return font_.GetSafeHandle(); }

void SkinListWnd::SetImageList(HIMAGELIST images) {
  imageList_ = images;
  MeasureRowHeight();
}

int SkinListWnd::IconWidth() const {
  int width = 0;
  int height = 0;
  if (imageList_ == nullptr || ImageList_GetImageCount(imageList_) <= 0) return 0;
  return ImageList_GetIconSize(imageList_, &width, &height) ? width : 0;
}

bool SkinListWnd::SetMoveMode(bool on) { return SetMoveModeFlag(on); }

// --- Rows and selection --------------------------------------------------------

int SkinListWnd::AddItem(const char* text, int image, bool redraw, const char* tipText) {
  Row row;
  row.text = text != nullptr ? text : "";
  row.tipText = tipText != nullptr ? tipText : "";
  row.image = image;
  row.textColor = textColor_;
  row.selTextColor = selTextColor_;
  items_.push_back(std::move(row));
  SetCurSel(0, redraw);
  return GetCount() - 1;
}

void SkinListWnd::AddItems(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) {
    Row row;
    row.text = text;
    row.textColor = textColor_;
    row.selTextColor = selTextColor_;
    items_.push_back(std::move(row));
  }
  SetCurSel(0, false);
}

const SkinListWnd::Row* SkinListWnd::GetRow(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return &items_[static_cast<size_t>(index)];
}

int SkinListWnd::VisibleRows() const {
  if (m_hWnd == nullptr || items_.empty()) return 0;
  CRect client;
  GetClientRect(&client);
  const int fitting = client.Height() / rowHeight_;
  if (fitting < 0) return 0;
  return fitting < GetCount() ? fitting : GetCount();
}

int SkinListWnd::SetCurSel(int index, bool redraw) {
  const int visible = VisibleRows();
  ShowScrollBar(visible < GetCount());
  if (items_.empty()) return -1;
  if (index > GetCount() - 1) index = GetCount() - 1;
  if (index < 0) index = 0;
  current_ = index;
  if (index > top_ + visible - 1) top_ = index - visible + 1;
  if (index < top_) top_ = index;
  if (redraw && m_hWnd != nullptr) RedrawWindow();
  scrollBar_.SetRange(0, GetCount() - 1);
  scrollBar_.SetPos(current_);
  scrollBar_.UpdateThumb();
  return current_;
}

// --- Scroll bar ----------------------------------------------------------------

bool SkinListWnd::ScrollBarShown() const {
  return scrollBar_.GetSafeHwnd() != nullptr && (scrollBar_.GetStyle() & WS_VISIBLE) != 0;
}

void SkinListWnd::ShowScrollBar(bool show) {
  if (scrollBar_.GetSafeHwnd() == nullptr || ScrollBarShown() == show) return;
  scrollBar_.ShowWindow(show ? SW_SHOWNA : SW_HIDE);
}

CRect SkinListWnd::ScrollBarRect() const {
  CRect rect;
  if (scrollBar_.GetSafeHwnd() == nullptr) return rect;
  scrollBar_.GetWindowRect(&rect);
  ScreenToClient(&rect);
  return rect;
}

void SkinListWnd::PlaceScrollBar(int width, int height) {
  if (scrollBar_.GetSafeHwnd() == nullptr) return;
  ShowScrollBar(VisibleRows() < GetCount());
  const int barWidth = ScrollBarRect().Width();
  scrollBar_.SetWindowPos(nullptr, width - barWidth, 0, barWidth, height,
                          SWP_NOZORDER | SWP_NOACTIVATE);
}

void SkinListWnd::OnSize(UINT type, int cx, int cy) {
  SkinObjectWnd::OnSize(type, cx, cy);
  PlaceScrollBar(cx, cy);
  // The text's right edge follows the width.
  Invalidate(FALSE);
}

// --- Drawing -------------------------------------------------------------------

int SkinListWnd::TextRightEdge(const CRect& client) const {
  return ScrollBarShown() ? client.right - ScrollBarRect().Width() - 20 : client.right - 50;
}

void SkinListWnd::DrawBackground(HDC dc, int x, int y, const CRect& client) {
  CRect area(client);
  area.OffsetRect(x, y);
  DrawFramedBackground(dc, area, background_);
}

void SkinListWnd::DrawSelectionBar(HDC dc, const CRect& bar) {
  if (bar.Width() <= 0 || bar.Height() <= 0) return;
  if (selectionBar_.Width() != bar.Width() || selectionBar_.Height() != bar.Height()) {
    if (selectionBar_.Create(bar.Width(), bar.Height(), 24, DibImage::kFormatBmp) == nullptr ||
        !selectionBar_.AlphaCreate()) {
      selectionBar_.Destroy();
      return;
    }
    std::memset(selectionBar_.AlphaPlane(), kSelectionAlpha,
                static_cast<size_t>(bar.Width()) * static_cast<size_t>(bar.Height()));
  }
  selectionBar_.Draw(dc, bar.left, bar.top);
}

void SkinListWnd::DrawRows(HDC dc, int x, int y, const CRect& client) {
  const int textRight = TextRightEdge(client);
  const int iconWidth = IconWidth();
  const int imageCount = imageList_ != nullptr ? ImageList_GetImageCount(imageList_) : 0;
  int rowTop = 0;
  for (int index = top_; index < GetCount() && rowTop + rowHeight_ <= client.Height();
       ++index, rowTop += rowHeight_) {
    Row& row = items_[static_cast<size_t>(index)];
    ::SelectObject(dc,
                   index == highlightIndex_ ? boldFont_.GetSafeHandle() : font_.GetSafeHandle());
    ::SetTextColor(dc, index == current_ ? row.selTextColor : row.textColor);
    if (row.image >= 0 && row.image < imageCount)
      ImageList_Draw(imageList_, row.image, dc, x, y + rowTop, ILD_NORMAL);
    const CRect text(iconWidth + 2, rowTop, textRight - 4, rowTop + rowHeight_);
    CRect drawn(text);
    drawn.OffsetRect(x, y);
    ::DrawTextA(dc, row.text.c_str(), -1, &drawn, kRowTextFlags);
    CRect measured(text);
    ::DrawTextA(dc, row.text.c_str(), -1, &measured, kRowMeasureFlags);
    row.truncated = measured.Width() > text.Width();
    rowMap_.push_back(DrawnRow{text, row});
  }
}

void SkinListWnd::DrawTo(HDC dc, int x, int y) {
  if (m_hWnd == nullptr || dc == nullptr) return;
  CRect client;
  GetClientRect(&client);
  rowMap_.clear();
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, x, y, x + client.Width(), y + client.Height());
  DrawBackground(dc, x, y, client);
  if (!items_.empty()) {
    SelectedObject selected(dc, font_.GetSafeHandle());
    CRect bar(IconWidth(), (current_ - top_) * rowHeight_, TextRightEdge(client),
              (current_ - top_ + 1) * rowHeight_);
    bar.OffsetRect(x, y);
    DrawSelectionBar(dc, bar);
    ::SetBkMode(dc, TRANSPARENT);
    DrawRows(dc, x, y, client);
  }
  ::RestoreDC(dc, saved);
  if (ScrollBarShown()) {
    const CRect at = ScrollBarRect();
    scrollBar_.DrawTo(dc, x + at.left, y + at.top);
  }
}

void SkinListWnd::OnPaint() { PaintBuffered(); }

BOOL SkinListWnd::OnEraseBkgnd(HDC) { return TRUE; }

// --- Messages ------------------------------------------------------------------

LRESULT SkinListWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (CToolTipCtrl::IsRelayedMouseMessage(message)) RelayToToolTip(message, wParam, lParam);
  switch (message) {
    case SkinScrollBarWnd::kPositionChanged:
      if (scrollBar_.GetSafeHwnd() != nullptr &&
          reinterpret_cast<HWND>(lParam) == scrollBar_.GetSafeHwnd()) {
        SetCurSel(scrollBar_.GetPos(), true);
        return 0;
      }
      break;
    case WM_GETMINMAXINFO: {
      const LRESULT result = SkinObjectWnd::WindowProc(message, wParam, lParam);
      MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = kMinimumSize;
      info->ptMinTrackSize.y = kMinimumSize;
      return result;
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

void SkinListWnd::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) {
  if (toolTip_.GetSafeHwnd() == nullptr) return;
  MSG relayed = {};
  relayed.hwnd = m_hWnd;
  relayed.message = message;
  relayed.wParam = wParam;
  relayed.lParam = lParam;
  relayed.time = static_cast<DWORD>(::GetMessageTime());
  const DWORD position = ::GetMessagePos();
  relayed.pt.x = static_cast<short>(LOWORD(position));
  relayed.pt.y = static_cast<short>(HIWORD(position));
  toolTip_.RelayEvent(&relayed);
}

bool SkinListWnd::HandleArrowKey(UINT key) {
  if (key == VK_UP) {
    SetCurSel(current_ - 1, true);
    return true;
  }
  if (key == VK_DOWN) {
    SetCurSel(current_ + 1, true);
    return true;
  }
  return false;
}

BOOL SkinListWnd::PreTranslateMessage(MSG* msg) {
  if (msg != nullptr && msg->message == WM_KEYDOWN && msg->hwnd == m_hWnd &&
      HandleArrowKey(static_cast<UINT>(msg->wParam)))
    return TRUE;
  return SkinObjectWnd::PreTranslateMessage(msg);
}

// Keys sent straight to the window, past any message loop, act the same.
void SkinListWnd::OnKeyDown(UINT key, UINT repeatCount, UINT flags) {
  if (!HandleArrowKey(key)) SkinObjectWnd::OnKeyDown(key, repeatCount, flags);
}

BOOL SkinListWnd::OnMouseWheel(UINT, short delta, CPoint) {
  if (delta == 0) return TRUE;
  SetCurSel(current_ - kWheelRows * (delta > 0 ? 1 : -1), true);
  return TRUE;
}

int SkinListWnd::HitRow(CPoint point) const {
  CRect client;
  GetClientRect(&client);
  int rowTop = 0;
  for (int index = top_; index < GetCount() && rowTop < client.Height();
       ++index, rowTop += rowHeight_) {
    const CRect row(0, rowTop, client.Width(), rowTop + rowHeight_);
    if (row.PtInRect(point)) return index;
  }
  return -1;
}

void SkinListWnd::OnLButtonDown(UINT, CPoint point) {
  // Take the keyboard, so the arrow keys reach the list it was clicked in.
  SetFocus();
  selecting_ = true;
  SetCapture();
  const int hit = HitRow(point);
  if (hit >= 0 && hit != current_) SetCurSel(hit, true);
  SetTimer(kSelectTimer, kSelectPeriod);
}

void SkinListWnd::OnLButtonUp(UINT, CPoint) {
  if (!selecting_) return;
  selecting_ = false;
  KillTimer(kSelectTimer);
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void SkinListWnd::OnLButtonDblClk(UINT, CPoint) { PostCommand(kDoubleClicked); }

void SkinListWnd::OnCaptureChanged(HWND newCapture) {
  if (newCapture != m_hWnd) {
    if (selecting_) KillTimer(kSelectTimer);
    selecting_ = false;
    CancelMoveDrag();
  }
  SkinObjectWnd::OnCaptureChanged(newCapture);
}

void SkinListWnd::OnTimer(UINT_PTR id) {
  if (id != kSelectTimer) {
    SkinObjectWnd::OnTimer(id);
    return;
  }
  POINT cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  CRect client;
  GetClientRect(&client);
  if (cursor.y < client.top) {
    if (current_ >= 1) SetCurSel(current_ - 1, true);
  } else if (cursor.y >= client.bottom) {
    if (current_ < GetCount() - 1) SetCurSel(current_ + 1, true);
  }
}

void SkinListWnd::OnMouseMove(UINT flags, CPoint point) {
  MoveDragTo(point);
  if (selecting_) {
    const int hit = HitRow(point);
    if (hit >= 0 && hit != current_) SetCurSel(hit, true);
  }
  UpdateToolTip(point);
  SkinObjectWnd::OnMouseMove(flags, point);
}

// --- Tooltip ---------------------------------------------------------------------

void SkinListWnd::UpdateToolTip(CPoint point) {
  const DrawnRow* under = nullptr;
  for (const DrawnRow& drawn : rowMap_) {
    if (drawn.rect.PtInRect(point)) {
      under = &drawn;
      break;
    }
  }
  if (under == nullptr) {
    HideTip(kTipOutsideRows);
    return;
  }
  const Row& row = under->row;
  if (row.text == RememberedTip()) return;
  if (!row.tipText.empty() && row.tipText != row.text)
    ShowTip(row.tipText, row.text);
  else if (row.truncated)
    ShowTip(row.text, row.text);
  else
    HideTip(kTipNone);
}

void SkinListWnd::ShowTip(const std::string& tip, const std::string& text) {
  if (EnsureToolTip()) {
    toolTip_.UpdateTipText(tip.c_str(), this);
    toolTip_.Activate(TRUE);
  }
  toolTipActive_ = true;
  RememberedTip() = text;
}

void SkinListWnd::HideTip(const char* remembered) {
  if (toolTip_.GetSafeHwnd() != nullptr) toolTip_.Activate(FALSE);
  toolTipActive_ = false;
  RememberedTip() = remembered;
}

// --- Editor move mode ----------------------------------------------------------

void SkinListWnd::OnRButtonDown(UINT, CPoint point) { BeginMoveDrag(point); }

void SkinListWnd::OnRButtonUp(UINT flags, CPoint point) {
  EndMoveDrag();
  PostToParentAt(WM_RBUTTONUP, flags, point);
}

void SkinListWnd::PostCommand(WORD code) {
  HWND parent = ::GetParent(m_hWnd);
  if (parent == nullptr) return;
  ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code),
                 reinterpret_cast<LPARAM>(m_hWnd));
}

void SkinListWnd::OnEnable(BOOL enabled) {
  if (scrollBar_.GetSafeHwnd() != nullptr) scrollBar_.EnableWindow(enabled);
  Invalidate(FALSE);
  SkinObjectWnd::OnEnable(enabled);
}
