// CToolBar: the frame's toolbar (a common toolbar control, child id
// AFX_IDW_TOOLBAR). Buttons come from a TOOLBAR resource and the bitmap of
// the same id (LoadToolBar), or from a bitmap strip and an array of command
// ids with ID_SEPARATOR for gaps (LoadBitmap + SetButtons). Bitmap pixels of
// the strip's top-left colour are transparent. Button states follow the
// commands' update handlers at idle time; tooltips and hover prompts come
// from the string table through the frame.
#pragma once

#include "ui/ccontrol_bar.h"
#include "ui/cimage_list.h"

class CToolBar : public CControlBar {
 public:
  // ctrlStyle: TBSTYLE_* (TBSTYLE_FLAT); style: window styles plus CBRS_*
  // bar styles (CBRS_TOOLTIPS gives tooltips); borders are not used. There
  // is no docking: the frame keeps the bar on top.
  BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT,
                DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                CRect borders = CRect(0, 0, 0, 0), UINT id = AFX_IDW_TOOLBAR);
  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
              UINT id = AFX_IDW_TOOLBAR);
  BOOL LoadToolBar(UINT resourceId);
  // Image width and height from SetSizes (16 x 15 unless set).
  BOOL LoadBitmap(UINT bitmapId);
  void SetSizes(SIZE button, SIZE image);
  BOOL SetButtons(const UINT* ids, int count);

  int GetCount() const;
  UINT GetItemID(int index) const;
  int CommandToIndex(UINT id) const;
  void GetItemRect(int index, LPRECT rect) const;

  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

 private:
  CImageList m_images;
  CSize m_sizeImage = CSize(16, 15);
  CSize m_sizeButton = CSize(23, 22);
};
