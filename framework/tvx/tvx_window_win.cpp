#include "framework/tvx/tvx_window_win.h"

#include <commctrl.h>
#include <shlobj.h>

#include <new>

#include "framework/tvx/tvx_module_win.h"

namespace tvx {

namespace {

constexpr UINT kCloseMessage = WM_APP + 1;
constexpr UINT kCancelMessage = WM_APP + 2;
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFrameExStyle = WS_EX_CONTROLPARENT;
constexpr wchar_t kDefaultCancelQuestion[] = L"Do you want to cancel the installation?";

std::atomic<int> live_windows{0};

bool AskWithMessageBox(HWND owner, const wchar_t* question, const wchar_t* caption) {
  return MessageBoxW(owner, question, caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start != 0) {
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
  }
  return 0;
}

// The shell's folder browser; its item list is freed with the shell allocator.
bool BrowseWithShell(HWND owner, const wchar_t* prompt, std::wstring* folder) {
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.lpszTitle = prompt;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(folder->c_str());
  PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
  if (list == nullptr) return false;
  wchar_t path[MAX_PATH] = L"";
  const bool named = SHGetPathFromIDListW(list, path) != FALSE;
  CoTaskMemFree(list);
  if (named) *folder = path;
  return named;
}

TvxWindowPrompts prompts = {&AskWithMessageBox, &BrowseWithShell};

bool IsPushButton(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kFolderPicker;
}

uint32_t ButtonFaceColour() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  return (static_cast<uint32_t>(GetRValue(face)) << 16) |
         (static_cast<uint32_t>(GetGValue(face)) << 8) | GetBValue(face);
}

}  // namespace

void TvxWindow::SetPrompts(const TvxWindowPrompts& replacement) { prompts = replacement; }

const TvxWindowPrompts& TvxWindow::Prompts() { return prompts; }

int TvxWindow::LiveWindows() { return live_windows; }

TvxWindow::TvxWindow(const MarkupWindow& markup, framework::Archive* archive,
                     framework::CreateInstanceFunction factory)
    : markup_(markup), archive_(archive), factory_(factory), scripting_(markup_, *this, factory) {
  if (archive_ != nullptr) archive_->AddRef();
}

TvxWindow::~TvxWindow() {
  scripting_.Stop();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  if (archive_ != nullptr) archive_->Release();
}

TvxWindow* TvxWindow::Create(const MarkupWindow& markup, const Font& font,
                             framework::Archive* archive,
                             framework::CreateInstanceFunction factory) {
  if (!TvxModule::RegisterClasses(&TvxWindow::WindowProcedure, &TvxWindow::ImageProcedure)) {
    return nullptr;
  }
  auto* window = new (std::nothrow) TvxWindow(markup, archive, factory);
  if (window == nullptr) return nullptr;
  if (!window->Build(font)) {
    // The half-built frame gives back its own reference as it goes.
    if (window->hwnd_ != nullptr) DestroyWindow(window->hwnd_);
    window->Release();
    return nullptr;
  }
  return window;
}

bool TvxWindow::Build(const Font& font) {
  INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  font_.Reset(CreateFontW(-font.size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, font.face.c_str()));
  heading_font_.Reset(CreateFontW(-(font.size * 3 / 2), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, font.face.c_str()));
  if (!CreateFrame()) return false;
  controls_.assign(markup_.controls.size(), nullptr);
  shown_.assign(markup_.controls.size(), true);
  progress_.assign(markup_.controls.size(), 0);
  images_.resize(markup_.controls.size());
  for (size_t i = 0; i < markup_.controls.size(); ++i) {
    shown_[i] = markup_.controls[i].visible;
    progress_[i] = markup_.controls[i].value;
    if (!CreateControl(static_cast<int>(i))) return false;
  }
  FindBackdrops();
  if (!scripting_.Start()) return false;
  page_ = markup_.pages.empty() ? -1 : 0;
  UpdateVisibility();
  UpdateDefaultButton();
  ++live_windows;
  shown_once_ = true;
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  FocusFirstOnPage();
  if (page_ >= 0) scripting_.RunEvent(-1, markup_.pages[page_].onshow);
  if (!markup_.onload.empty()) scripting_.RunEvent(-1, markup_.onload);
  UpdateWindow(hwnd_);
  return true;
}

bool TvxWindow::CreateFrame() {
  RECT frame = {0, 0, markup_.width, markup_.height};
  AdjustWindowRectEx(&frame, kFrameStyle, FALSE, kFrameExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + ((work.right - work.left) - width) / 2;
  const int y = work.top + ((work.bottom - work.top) - height) / 2;
  hwnd_ = CreateWindowExW(kFrameExStyle, TvxModule::kWindowClass, markup_.title.c_str(),
                          kFrameStyle, x > work.left ? x : work.left, y > work.top ? y : work.top,
                          width, height, nullptr, nullptr, TvxModule::Instance(), this);
  return hwnd_ != nullptr;
}

bool TvxWindow::CreateControl(int index) {
  const MarkupControl& control = markup_.controls[index];
  const wchar_t* className = L"STATIC";
  DWORD style =
      WS_CHILD | (control.group_start || control.kind != ControlKind::kRadio ? WS_GROUP : 0);
  DWORD exStyle = 0;
  switch (control.kind) {
    case ControlKind::kText:
      style |= SS_LEFT;
      break;
    case ControlKind::kImage:
      className = TvxModule::kImageClass;
      break;
    case ControlKind::kEdit:
      className = L"EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL | (control.password ? ES_PASSWORD : 0) |
               (control.read_only ? ES_READONLY : 0);
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kButton:
    case ControlKind::kFolderPicker:
      className = L"BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case ControlKind::kCheckBox:
      className = L"BUTTON";
      style |= WS_TABSTOP | BS_AUTOCHECKBOX;
      break;
    case ControlKind::kRadio:
      className = L"BUTTON";
      style |= BS_AUTORADIOBUTTON | (control.group_start ? WS_TABSTOP : 0);
      break;
    case ControlKind::kProgress:
      className = PROGRESS_CLASSW;
      break;
  }
  HWND child = CreateWindowExW(
      exStyle, className, control.text.c_str(), style, control.x, control.y, control.width,
      control.height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
      TvxModule::Instance(), nullptr);
  if (child == nullptr) return false;
  controls_[index] = child;
  HFONT shown = control.heading ? heading_font_.get() : font_.get();
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(shown), FALSE);
  if (!control.enabled) EnableWindow(child, FALSE);
  if (control.checked) SendMessageW(child, BM_SETCHECK, BST_CHECKED, 0);
  if (control.kind == ControlKind::kProgress) {
    SendMessageW(child, PBM_SETRANGE32, 0, control.maximum);
    SendMessageW(child, PBM_SETPOS, control.value, 0);
  }
  if (control.kind == ControlKind::kImage) LoadMarkupImage(index);
  return true;
}

void TvxWindow::LoadMarkupImage(int index) {
  auto image = std::unique_ptr<MarkupImage>(new (std::nothrow) MarkupImage());
  if (image == nullptr) return;
  // A missing or broken image leaves its place empty; the window still works.
  image->Load(archive_, markup_.controls[index].source, factory_, ButtonFaceColour());
  SetWindowLongPtrW(controls_[index], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(image.get()));
  images_[index] = std::move(image);
}

void TvxWindow::FindBackdrops() {
  backdrops_.assign(markup_.controls.size(), -1);
  image_brushes_.resize(markup_.controls.size());
  for (size_t i = 0; i < markup_.controls.size(); ++i) {
    const MarkupControl& text = markup_.controls[i];
    if (text.kind != ControlKind::kText) continue;
    const RECT textArea = {text.x, text.y, text.x + text.width, text.y + text.height};
    for (size_t j = 0; j < markup_.controls.size(); ++j) {
      const MarkupControl& image = markup_.controls[j];
      if (image.kind != ControlKind::kImage || images_[j] == nullptr || images_[j]->empty()) {
        continue;
      }
      // Only an image that is shown together with the text.
      if (image.page >= 0 && text.page >= 0 && image.page != text.page) continue;
      const RECT imageArea = {image.x, image.y, image.x + image.width, image.y + image.height};
      RECT common;
      if (IntersectRect(&common, &textArea, &imageArea)) backdrops_[i] = static_cast<int>(j);
    }
  }
}

HBRUSH TvxWindow::BackdropBrush(int image) {
  if (image_brushes_[image] != nullptr) return image_brushes_[image]->get();
  const MarkupControl& control = markup_.controls[image];
  const MarkupImage& pixels = *images_[image];
  if (control.width <= 0 || control.height <= 0) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, control.width, control.height);
  HBRUSH brush = nullptr;
  if (memory != nullptr && bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width();
    info.bmiHeader.biHeight = -pixels.height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(memory, COLORONCOLOR);
    StretchDIBits(memory, 0, 0, control.width, control.height, 0, 0, pixels.width(),
                  pixels.height(), pixels.pixels().data(), &info, DIB_RGB_COLORS, SRCCOPY);
    SelectObject(memory, previous);
    brush = CreatePatternBrush(bitmap);  // the brush keeps its own copy
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  image_brushes_[image].reset(new (std::nothrow) GdiBrush(brush));
  return image_brushes_[image] != nullptr ? brush : nullptr;
}

LRESULT TvxWindow::ColourStatic(HDC dc, HWND control) {
  const int index = GetDlgCtrlID(control) - kFirstControlId;
  if (index >= 0 && static_cast<size_t>(index) < backdrops_.size() && backdrops_[index] >= 0) {
    const MarkupControl& text = markup_.controls[index];
    const MarkupControl& image = markup_.controls[backdrops_[index]];
    HBRUSH brush = BackdropBrush(backdrops_[index]);
    if (brush != nullptr) {
      SetBkMode(dc, TRANSPARENT);
      SetBrushOrgEx(dc, image.x - text.x, image.y - text.y, nullptr);
      return reinterpret_cast<LRESULT>(brush);
    }
  }
  return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(control));
}

HWND TvxWindow::ControlWindow(int control) const {
  if (control < 0 || static_cast<size_t>(control) >= controls_.size()) return nullptr;
  return controls_[control];
}

bool TvxWindow::IsOnPage(int control, int page) const {
  const int own = markup_.controls[control].page;
  return own < 0 || own == page;
}

void TvxWindow::UpdateVisibility() {
  HWND focus = GetFocus();
  bool lostFocus = false;
  for (size_t i = 0; i < controls_.size(); ++i) {
    const bool visible = shown_[i] && IsOnPage(static_cast<int>(i), page_);
    if (!visible && controls_[i] == focus) lostFocus = true;
    ShowWindow(controls_[i], visible ? SW_SHOWNA : SW_HIDE);
  }
  if (lostFocus) FocusFirstOnPage();
}

// The page's default button, or the window-wide one; -1 when none is shown.
int TvxWindow::DefaultButton() const {
  int fallback = -1;
  for (size_t i = 0; i < markup_.controls.size(); ++i) {
    const MarkupControl& control = markup_.controls[i];
    if (!control.is_default || !IsOnPage(static_cast<int>(i), page_) || !shown_[i]) continue;
    if (control.page == page_ && page_ >= 0) return static_cast<int>(i);
    fallback = static_cast<int>(i);
  }
  return fallback;
}

void TvxWindow::UpdateDefaultButton() {
  const int chosen = DefaultButton();
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (!IsPushButton(markup_.controls[i].kind)) continue;
    const bool isDefault = static_cast<int>(i) == chosen;
    SendMessageW(controls_[i], BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

void TvxWindow::FocusFirstOnPage() {
  const int chosen = DefaultButton();
  if (chosen >= 0 && IsWindowEnabled(controls_[chosen])) {
    SetFocus(controls_[chosen]);
    return;
  }
  HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (first != nullptr) SetFocus(first);
}

// Enter presses the focused push button, else the page's default button.
LRESULT TvxWindow::DefaultButtonId() {
  HWND focus = GetFocus();
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == focus && IsPushButton(markup_.controls[i].kind)) {
      return MAKELRESULT(kFirstControlId + i, DC_HASDEFID);
    }
  }
  const int chosen = DefaultButton();
  if (chosen < 0) return 0;
  return MAKELRESULT(kFirstControlId + chosen, DC_HASDEFID);
}

void TvxWindow::MoveFocus(WPARAM wParam, LPARAM lParam) {
  HWND target = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                    : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
  if (target != nullptr && IsChild(hwnd_, target)) SetFocus(target);
}

std::wstring TvxWindow::GetControlText(int control) {
  HWND child = ControlWindow(control);
  if (child == nullptr) return std::wstring();
  const int length = GetWindowTextLengthW(child);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(child, &text[0], length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void TvxWindow::SetControlText(int control, const std::wstring& text) {
  HWND child = ControlWindow(control);
  if (child == nullptr) return;
  updating_ = true;
  SetWindowTextW(child, text.c_str());
  updating_ = false;
}

bool TvxWindow::IsControlChecked(int control) {
  HWND child = ControlWindow(control);
  return child != nullptr && SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TvxWindow::SetControlChecked(int control, bool checked) {
  HWND child = ControlWindow(control);
  if (child == nullptr) return;
  if (checked && markup_.controls[control].kind == ControlKind::kRadio) {
    // The rest of the group goes off, as a click would do.
    int first = control;
    while (first > 0 && !markup_.controls[first].group_start) --first;
    for (size_t i = first; i < markup_.controls.size(); ++i) {
      if (markup_.controls[i].kind != ControlKind::kRadio) break;
      if (static_cast<int>(i) != first && markup_.controls[i].group_start) break;
      SendMessageW(controls_[i], BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SendMessageW(child, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TvxWindow::IsControlEnabled(int control) {
  HWND child = ControlWindow(control);
  return child != nullptr && IsWindowEnabled(child);
}

void TvxWindow::EnableControl(int control, bool enabled) {
  HWND child = ControlWindow(control);
  if (child == nullptr) return;
  const bool hadFocus = GetFocus() == child;
  EnableWindow(child, enabled ? TRUE : FALSE);
  if (hadFocus && !enabled) FocusFirstOnPage();
}

void TvxWindow::ShowControl(int control, bool visible) {
  if (ControlWindow(control) == nullptr) return;
  shown_[control] = visible;
  UpdateVisibility();
  UpdateDefaultButton();
}

void TvxWindow::FocusControl(int control) {
  HWND child = ControlWindow(control);
  if (child != nullptr) SetFocus(child);
}

int TvxWindow::GetProgress(int control) {
  if (ControlWindow(control) == nullptr) return 0;
  return progress_[control];
}

void TvxWindow::SetProgress(int control, int value) {
  HWND child = ControlWindow(control);
  if (child == nullptr || markup_.controls[control].kind != ControlKind::kProgress) return;
  const int maximum = markup_.controls[control].maximum;
  progress_[control] = value < 0 ? 0 : (value > maximum ? maximum : value);
  SendMessageW(child, PBM_SETPOS, progress_[control], 0);
}

void TvxWindow::ShowPage(int page) {
  if (page < 0 || static_cast<size_t>(page) >= markup_.pages.size()) return;
  page_ = page;
  UpdateVisibility();
  UpdateDefaultButton();
  FocusFirstOnPage();
  scripting_.RunEvent(-1, markup_.pages[page].onshow);
}

void TvxWindow::SetTitle(const std::wstring& title) {
  if (hwnd_ != nullptr) SetWindowTextW(hwnd_, title.c_str());
}

// Destroyed from the message loop, never inside the script that asked.
void TvxWindow::CloseWindow() {
  if (hwnd_ != nullptr) PostMessageW(hwnd_, kCloseMessage, 0, 0);
}

void TvxWindow::CancelWindow() {
  if (hwnd_ != nullptr) PostMessageW(hwnd_, kCancelMessage, 0, 0);
}

void TvxWindow::RequestCancel() {
  if (!markup_.oncancel.empty()) {
    std::wstring answer;
    // The script may keep the window open by giving false.
    if (scripting_.EvaluateEvent(-1, markup_.oncancel, &answer) && answer == L"false") return;
  }
  if (busy_) {
    const std::wstring& question =
        markup_.cancel_question.empty() ? kDefaultCancelQuestion : markup_.cancel_question;
    if (!prompts.ask(hwnd_, question.c_str(), markup_.title.c_str())) return;
  }
  DestroyWindow(hwnd_);
}

void TvxWindow::PickFolder(int control) {
  const MarkupControl& picker = markup_.controls[control];
  const int target = markup_.FindControl(picker.target);
  if (target < 0) return;
  std::wstring folder = GetControlText(target);
  if (!prompts.browse_folder(hwnd_, picker.source.c_str(), &folder)) return;
  SetWindowTextW(controls_[target], folder.c_str());  // the edit's onchange runs
  scripting_.RunEvent(control, picker.onclick);
}

void TvxWindow::OnCommand(int id, int code) {
  if (id == IDCANCEL) {
    RequestCancel();
    return;
  }
  const int index = id - kFirstControlId;
  if (index < 0 || static_cast<size_t>(index) >= markup_.controls.size()) return;
  const MarkupControl& control = markup_.controls[index];
  if (control.kind == ControlKind::kEdit) {
    if (code == EN_CHANGE && !updating_) scripting_.RunEvent(index, control.onchange);
    return;
  }
  if (code != BN_CLICKED) return;
  // Enter reaches a hidden or disabled default button too; it must not act.
  if (!IsWindowVisible(controls_[index]) || !IsWindowEnabled(controls_[index])) return;
  if (control.kind == ControlKind::kFolderPicker) {
    PickFolder(index);
  } else {
    scripting_.RunEvent(index, control.onclick);
  }
}

LRESULT TvxWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case DM_GETDEFID:
      return DefaultButtonId();
    case WM_CTLCOLORSTATIC:
      return ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NEXTDLGCTL:
      // The dialog keys move the focus with this (a label's mnemonic
      // focuses the control after it); a dialog's own procedure would.
      MoveFocus(wParam, lParam);
      return 0;
    case WM_CLOSE:
      RequestCancel();
      return 0;
    case kCloseMessage:
      DestroyWindow(hwnd_);
      return 0;
    case kCancelMessage:
      RequestCancel();
      return 0;
    case WM_DESTROY:
      scripting_.Stop();
      // Only a window that ran ends the loop: a quit message left behind
      // by a failed build would end the next message box at once.
      if (shown_once_ && --live_windows == 0) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

LRESULT CALLBACK TvxWindow::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* window =
        static_cast<TvxWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    window->hwnd_ = hwnd;
    window->AddRef();  // the window's own reference, given back at WM_NCDESTROY
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<TvxWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    window->hwnd_ = nullptr;
    window->controls_.assign(window->controls_.size(), nullptr);
    window->Release();
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return window->HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK TvxWindow::ImageProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  const auto* image = reinterpret_cast<const MarkupImage*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  RECT area;
  GetClientRect(hwnd, &area);
  if (image != nullptr && !image->empty()) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image->width();
    info.bmiHeader.biHeight = -image->height();  // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, area.right, area.bottom, 0, 0, image->width(), image->height(),
                  image->pixels().data(), &info, DIB_RGB_COLORS, SRCCOPY);
  } else {
    FillRect(dc, &area, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  }
  EndPaint(hwnd, &paint);
  return 0;
}

int32_t TvxWindow::QueryInterface(const framework::Guid&, void** object, int32_t) {
  if (object != nullptr) *object = nullptr;
  return framework::kNoInterface;
}

int32_t TvxWindow::AddRef() { return ++references_; }

int32_t TvxWindow::Release() {
  const int32_t left = --references_;
  if (left == 0) delete this;
  return left;
}

}  // namespace tvx
