// SkinListWnd: the skinned list box. A single-selection list of text rows
// over a tiled background bitmap, with its own font, text and selected-text
// colours, a translucent black selection bar, a tooltip that shows the full
// text of a row cut short with an ellipsis (or the row's own tip text), and
// a skinned vertical scroll bar that appears when not every row fits.
//
// SetCurSel is the one place where selection, scrolling and the scroll bar
// meet: every way of selecting (keys, wheel, clicks, dragging past the
// edges, the scroll bar) goes through it, so the scroll bar's position is
// always the selected row and the selected row is always in view.
//
// The background belongs to the skin and is only referred to; the scroll
// bar copies its track background (see SkinScrollBarWnd). The list owns its
// fonts, rows, tooltip and scroll bar.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "imaging/dib_image.h"
#include "runtime/skin_object_wnd.h"
#include "runtime/skin_scroll_bar_wnd.h"
#include "ui/cfont.h"
#include "ui/ctool_tip_ctrl.h"

class SkinListWnd : public SkinObjectWnd {
 public:
  // WM_COMMAND code posted to the parent on a double click.
  static constexpr WORD kDoubleClicked = 5;
  static constexpr UINT_PTR kSelectTimer = 100;
  static constexpr UINT kSelectPeriod = 100;
  static constexpr UINT kScrollBarId = 0xFFFF;
  static constexpr DWORD kScrollBarStyle = WS_CHILD | WS_CLIPCHILDREN;
  static constexpr BYTE kSelectionAlpha = 30;
  static constexpr int kRowPadding = 4;
  static constexpr int kWheelRows = 3;
  static constexpr int kMinimumSize = 50;
  // Remembered tip texts meaning "no row under the cursor" and "a row
  // without a tip".
  static constexpr const char* kTipOutsideRows = "-*-";
  static constexpr const char* kTipNone = "*-*";

  struct Row {
    std::string text;
    std::string tipText;
    int image = -1;
    DWORD data = 0;
    COLORREF textColor = 0;
    COLORREF selTextColor = 0;
    bool truncated = false;
  };

  SkinListWnd() = default;
  ~SkinListWnd() override;

  // --- Before Create (the scroll bar's pictures too, through ScrollBar) ---
  // The skin keeps the background; null draws the system window colour.
  void SetBackground(const DibImage* background) { background_ = background; }
  const DibImage* Background() const { return background_; }
  SkinScrollBarWnd& ScrollBar() { return scrollBar_; }

  // Creates the window (WS_CLIPCHILDREN added) and its scroll bar (the
  // tooltip follows when a row first has a tip to show),
  // takes the parent's font and moves to rect. Returns 0 on failure.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // --- Options -------------------------------------------------------------
  // Colours of the rows added from now on.
  void SetTextColor(COLORREF color) { textColor_ = color; }
  void SetSelTextColor(COLORREF color) { selTextColor_ = color; }
  COLORREF GetTextColor() const { return textColor_; }
  COLORREF GetSelTextColor() const { return selTextColor_; }
  // Row icons; the caller keeps the image list. Null in the editor.
  void SetImageList(HIMAGELIST images);
  // The row drawn in the bold font; -1 for none.
  void SetHighlightIndex(int index) { highlightIndex_ = index; }
  // The editor's move mode (right-button dragging); returns the old value.
  bool SetMoveMode(bool on);

  // --- Rows and selection --------------------------------------------------
  // Appends a row with the current colours and selects row 0; returns the
  // new row's index.
  int AddItem(const char* text, int image = -1, bool redraw = true, const char* tipText = "");
  // Appends many rows as AddItem would, one after the other, without a
  // redraw, but lays out the scroll bar once at the end (a window move per
  // row costs more than the rows).
  void AddItems(const std::vector<std::string>& texts);
  // Selects index (clamped to the rows), scrolls it into view and sets the
  // scroll bar; returns the selected row, -1 without rows.
  int SetCurSel(int index, bool redraw = true);
  int GetCurSel() const { return current_; }
  int GetTopIndex() const { return top_; }
  int GetCount() const { return static_cast<int>(items_.size()); }
  const Row* GetRow(int index) const;
  // How many whole rows fit in the client area (at most the row count).
  int VisibleRows() const;
  int RowHeight() const { return rowHeight_; }
  HFONT GetBoldFont() const { return boldFont_; }

  // --- Tooltip -----------------------------------------------------------------
  // The row text last shown, shared by every list of the process.
  static const std::string& LastTipText();
  CToolTipCtrl& ToolTip() { return toolTip_; }
  bool IsToolTipActive() const { return toolTipActive_; }

  void DrawTo(HDC dc, int x, int y) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  int OnCreate(LPCREATESTRUCTA createStruct) override;
  void OnDestroy() override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(HDC dc) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnTimer(UINT_PTR id) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnRButtonDown(UINT flags, CPoint point) override;
  void OnRButtonUp(UINT flags, CPoint point) override;
  BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
  void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
  void OnCaptureChanged(HWND newCapture) override;
  void OnSetFont(HFONT font, BOOL redraw) override;
  HFONT OnGetFont() override;
  void OnEnable(BOOL enabled) override;

 private:
  bool EnsureToolTip();
  // A drawn row for the tooltip: its text rectangle in client coordinates
  // and a copy of the row as drawn.
  struct DrawnRow {
    CRect rect;
    Row row;
  };

  void TakeParentFont();
  void UseFont(const LOGFONTA& font);
  void MeasureRowHeight();
  int IconWidth() const;
  bool ScrollBarShown() const;
  void ShowScrollBar(bool show);
  void PlaceScrollBar(int width, int height);
  int TextRightEdge(const CRect& client) const;
  CRect ScrollBarRect() const;
  // Half the difference between window and client size: how far the
  // client area lies inside a sizing frame.
  int HitRow(CPoint point) const;
  bool HandleArrowKey(UINT key);
  void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam);
  void UpdateToolTip(CPoint point);
  void ShowTip(const std::string& tip, const std::string& text);
  void HideTip(const char* remembered);
  void DrawBackground(HDC dc, int x, int y, const CRect& client);
  void DrawSelectionBar(HDC dc, const CRect& bar);
  void DrawRows(HDC dc, int x, int y, const CRect& client);
  void PostCommand(WORD code);

  SkinScrollBarWnd scrollBar_;
  int current_ = 0;
  int top_ = 0;
  CFont font_;
  CFont boldFont_;
  int highlightIndex_ = -1;
  const DibImage* background_ = nullptr;
  COLORREF textColor_ = ::GetSysColor(COLOR_WINDOWTEXT);
  COLORREF selTextColor_ = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  HIMAGELIST imageList_ = nullptr;
  bool selecting_ = false;
  std::vector<Row> items_;
  std::vector<DrawnRow> rowMap_;
  CToolTipCtrl toolTip_;
  bool toolTipActive_ = false;
  int rowHeight_ = kRowPadding;
  DibImage selectionBar_;
};
