#include "ui/ctool_bar.h"

#include <vector>

#include "ui/cframe_wnd.h"
#include "ui/common_controls.h"
#include "ui/resource_strings.h"

namespace {

const WORD kToolbarResourceType = 241;

// Enable and SetCheck on one toolbar button.
class ToolButtonCmdUI : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    m_bEnableChanged = TRUE;
    m_pOther->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(on ? TRUE : FALSE, 0));
  }
  void SetCheck(int check) override {
    // A checked state needs a check button, as the framework's toolbars do.
    if (check) {
      TBBUTTONINFOA info = {};
      info.cbSize = sizeof info;
      info.dwMask = TBIF_STYLE;
      m_pOther->SendMessage(TB_GETBUTTONINFOA, m_nID, reinterpret_cast<LPARAM>(&info));
      if ((info.fsStyle & BTNS_CHECK) == 0) {
        info.fsStyle |= BTNS_CHECK;
        m_pOther->SendMessage(TB_SETBUTTONINFOA, m_nID, reinterpret_cast<LPARAM>(&info));
      }
    }
    m_pOther->SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(check ? TRUE : FALSE, 0));
  }
};

// The TOOLBAR resource as the resource compiler lays it out: either words
// (version 1, width, height, count, ids) or double words (width, height,
// count, ids), told apart by the size.
bool ParseToolbarResource(const BYTE* data, DWORD size, SIZE& image, std::vector<UINT>& ids) {
  auto word = [data](DWORD index) {
    return static_cast<UINT>(data[2 * index] | data[2 * index + 1] << 8);
  };
  auto dword = [data](DWORD index) {
    const BYTE* p = data + 4 * index;
    return static_cast<UINT>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<UINT>(p[3]) << 24);
  };
  if (size >= 8 && word(0) == 1 && size == 8 + 2 * static_cast<DWORD>(word(3))) {
    image = {static_cast<LONG>(word(1)), static_cast<LONG>(word(2))};
    for (DWORD i = 0; i < word(3); ++i) ids.push_back(word(4 + i));
    return true;
  }
  if (size >= 12 && dword(2) <= size / 4 && size == 12 + 4 * dword(2)) {
    image = {static_cast<LONG>(dword(0)), static_cast<LONG>(dword(1))};
    for (DWORD i = 0; i < dword(2); ++i) ids.push_back(dword(3 + i));
    return true;
  }
  return false;
}

}  // namespace

BOOL CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, CRect, UINT id) {
  if (parent == nullptr) return FALSE;
  EnsureCommonControls();
  m_dwStyle = style & CBRS_ALL;
  DWORD windowStyle =
      (style & ~CBRS_ALL) | ctrlStyle | WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (m_dwStyle & CBRS_TOOLTIPS) windowStyle |= TBSTYLE_TOOLTIPS;
  if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, windowStyle, CRect(0, 0, 0, 0), parent, id))
    return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  return TRUE;
}

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) {
  return CreateEx(parent, 0, style, CRect(0, 0, 0, 0), id);
}

void CToolBar::SetSizes(SIZE button, SIZE image) {
  m_sizeButton = button;
  m_sizeImage = image;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(image.cx, image.cy));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(button.cx, button.cy));
}

BOOL CToolBar::LoadBitmap(UINT bitmapId) {
  if (!m_images.Create(bitmapId, m_sizeImage.cx, 0, CLR_DEFAULT)) return FALSE;
  SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images.GetSafeHandle()));
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(m_sizeImage.cx, m_sizeImage.cy));
  return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId) {
  HINSTANCE module = AfxGetResourceHandle();
  HRSRC found =
      ::FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(kToolbarResourceType));
  if (found == nullptr) return FALSE;
  HGLOBAL loaded = ::LoadResource(module, found);
  const BYTE* data = loaded != nullptr ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
  if (data == nullptr) return FALSE;
  SIZE image = {0, 0};
  std::vector<UINT> ids;
  if (!ParseToolbarResource(data, ::SizeofResource(module, found), image, ids)) return FALSE;
  SetSizes(CSize(image.cx + 7, image.cy + 7), image);
  if (!LoadBitmap(resourceId)) return FALSE;
  return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL CToolBar::SetButtons(const UINT* ids, int count) {
  while (SendMessage(TB_BUTTONCOUNT) > 0) SendMessage(TB_DELETEBUTTON, 0);
  std::vector<TBBUTTON> buttons;
  buttons.reserve(static_cast<size_t>(count > 0 ? count : 0));
  int image = 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button = {};
    if (ids[i] == ID_SEPARATOR) {
      button.fsStyle = BTNS_SEP;
      button.iBitmap = 6;
    } else {
      button.iBitmap = image++;
      button.idCommand = static_cast<int>(ids[i]);
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON;
    }
    buttons.push_back(button);
  }
  if (!buttons.empty() &&
      !SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())))
    return FALSE;
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(m_sizeButton.cx, m_sizeButton.cy));
  if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
  return TRUE;
}

int CToolBar::GetCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }

UINT CToolBar::GetItemID(int index) const {
  TBBUTTON button = {};
  if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
    return ID_SEPARATOR;
  return (button.fsStyle & BTNS_SEP) ? ID_SEPARATOR : static_cast<UINT>(button.idCommand);
}

int CToolBar::CommandToIndex(UINT id) const {
  return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, id));
}

void CToolBar::GetItemRect(int index, LPRECT rect) const {
  SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL) {
  const DWORD buttonSize = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
  CRect rect;
  GetWindowRect(&rect);
  return CSize(rect.Width(), HIWORD(buttonSize) + 4);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  const int count = GetCount();
  for (int index = 0; index < count; ++index) {
    const UINT id = GetItemID(index);
    if (id == ID_SEPARATOR) continue;
    ToolButtonCmdUI ui;
    ui.m_nID = id;
    ui.m_nIndex = static_cast<UINT>(index);
    ui.m_pOther = this;
    ui.DoUpdate(target, disableIfNoHandler);
  }
}
