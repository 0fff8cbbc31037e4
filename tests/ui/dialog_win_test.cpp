// Modal prompts answered through the seam: message boxes, file dialogs,
// and real resource dialogs with their data exchange and validation.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/ui/ui_test_resource.h"
#include "ui/cdialog.h"
#include "ui/cfile_dialog.h"
#include "ui/cwin_app.h"
#include "ui/modal_prompts.h"

namespace {

struct ShownMessage {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

class AnsweringPrompts : public ModalPrompts {
 public:
  int ShowMessage(HWND owner, const std::string& text, const std::string& caption,
                  UINT type) override {
    messages.push_back({owner, text, caption, type});
    return messageAnswer;
  }
  bool AskFileName(CFileDialog& dialog) override {
    askedOpen = dialog.IsOpenDialog() != FALSE;
    askedFlags = dialog.GetFlags();
    askedFilter = dialog.GetFilter();
    if (fileAnswer.empty()) return false;
    dialog.SetPathName(fileAnswer);
    return true;
  }
  void DialogShown(CDialog& dialog) override {
    if (onDialog) onDialog(dialog);
  }

  std::vector<ShownMessage> messages;
  int messageAnswer = IDOK;
  std::string fileAnswer;
  bool askedOpen = false;
  DWORD askedFlags = 0;
  std::string askedFilter;
  std::function<void(CDialog&)> onDialog;
};

class ExchangeDialog : public CDialog {
 public:
  ExchangeDialog() : CDialog(IDD_EXCHANGE) {}
  BOOL OnInitDialog() override {
    for (const char* item : {"zero", "one", "two"}) {
      SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
      SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, IDC_NAME, name);
    DDX_Text(dx, IDC_COUNT, count);
    DDV_MinMaxInt(dx, count, 1, 100);
    DDX_Check(dx, IDC_FLAG, flag);
    DDX_LBIndex(dx, IDC_LIST, listIndex);
    DDX_CBIndex(dx, IDC_COMBO, comboIndex);
  }

  std::string name = "MainWindow";
  int count = 42;
  int flag = 1;
  int listIndex = 2;
  int comboIndex = 1;
};

std::string ItemText(CDialog& dialog, int id) { return dialog.GetDlgItem(id)->GetWindowText(); }

void SetItemText(CDialog& dialog, int id, const char* text) {
  dialog.GetDlgItem(id)->SetWindowText(text);
}

void ClickOk(CDialog& dialog) {
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDOK)->GetSafeHwnd()));
}

class PromptsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetModalPrompts(&prompts); }
  void TearDown() override { SetModalPrompts(nullptr); }

  CWinApp app{nullptr};
  AnsweringPrompts prompts;
};

TEST_F(PromptsTest, MessageBoxesAreAnsweredByTheSeam) {
  prompts.messageAnswer = IDNO;
  EXPECT_EQ(AfxMessageBox("Can`t save the file.", MB_YESNO | MB_ICONEXCLAMATION), IDNO);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "Can`t save the file.");
  EXPECT_EQ(prompts.messages[0].caption, "UiTestApp") << "the application title string";
  EXPECT_EQ(prompts.messages[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));

  CWnd window;
  ASSERT_TRUE(window.CreateEx(0, nullptr, "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  prompts.messageAnswer = IDOK;
  EXPECT_EQ(window.MessageBox("text", "Error", MB_OK), IDOK);
  EXPECT_EQ(prompts.messages.back().owner, window.GetSafeHwnd());
  EXPECT_EQ(prompts.messages.back().caption, "Error");

  SetModalPrompts(nullptr);
  EXPECT_NE(&GetModalPrompts(), &prompts);
}

TEST_F(PromptsTest, FileDialogTakesThePathFromTheSeam) {
  const char* filter =
      "All supported types|*.png;*.bmp|Bitmap files (*.bmp)|*.bmp|PNG files (*.png)|*.png||";
  CFileDialog open(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter);
  prompts.fileAnswer = "C:\\skins\\back.ground.PNG";
  ASSERT_EQ(open.DoModal(), IDOK);
  EXPECT_TRUE(prompts.askedOpen);
  EXPECT_EQ(prompts.askedFlags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));
  EXPECT_EQ(prompts.askedFilter, filter);
  EXPECT_EQ(open.GetPathName(), "C:\\skins\\back.ground.PNG");
  EXPECT_EQ(open.GetFileName(), "back.ground.PNG");
  EXPECT_EQ(open.GetFileExt(), "PNG");

  CFileDialog save(FALSE);
  prompts.fileAnswer.clear();
  EXPECT_EQ(save.DoModal(), IDCANCEL);
  EXPECT_FALSE(prompts.askedOpen);
  EXPECT_EQ(save.GetPathName(), "");
  CFileDialog noExtension(FALSE);
  noExtension.SetPathName("C:\\dir.v2\\skin");
  EXPECT_EQ(noExtension.GetFileExt(), "");
}

TEST_F(PromptsTest, DialogLoadsMembersAndSavesThemOnOk) {
  ExchangeDialog dialog;
  std::vector<std::string> shown;
  prompts.onDialog = [&](CDialog& running) {
    shown = {ItemText(running, IDC_NAME), ItemText(running, IDC_COUNT)};
    EXPECT_EQ(running.SendMessage(WM_NULL), 0);
    EXPECT_EQ(::IsDlgButtonChecked(running.GetSafeHwnd(), IDC_FLAG),
              static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(::SendDlgItemMessageA(running.GetSafeHwnd(), IDC_LIST, LB_GETCURSEL, 0, 0), 2);
    SetItemText(running, IDC_NAME, "Other");
    SetItemText(running, IDC_COUNT, " 7 ");
    ::CheckDlgButton(running.GetSafeHwnd(), IDC_FLAG, BST_UNCHECKED);
    ::SendDlgItemMessageA(running.GetSafeHwnd(), IDC_LIST, LB_SETCURSEL, 0, 0);
    ::SendDlgItemMessageA(running.GetSafeHwnd(), IDC_COMBO, CB_SETCURSEL, 2, 0);
    ClickOk(running);
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(shown, (std::vector<std::string>{"MainWindow", "42"}));
  EXPECT_EQ(dialog.name, "Other");
  EXPECT_EQ(dialog.count, 7);
  EXPECT_EQ(dialog.flag, 0);
  EXPECT_EQ(dialog.listIndex, 0);
  EXPECT_EQ(dialog.comboIndex, 2);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "detached when the dialog ended";
}

TEST_F(PromptsTest, InvalidNumbersKeepTheDialogOpenWithAMessage) {
  ExchangeDialog dialog;
  std::vector<bool> openAfterOk;
  prompts.onDialog = [&](CDialog& running) {
    for (const char* text : {"500", "0", "12a", "", "99999999999"}) {
      SetItemText(running, IDC_COUNT, text);
      ClickOk(running);
      openAfterOk.push_back(::IsWindow(running.GetSafeHwnd()) && running.GetSafeHwnd() != nullptr);
    }
    SetItemText(running, IDC_COUNT, "100");
    ClickOk(running);
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(openAfterOk, (std::vector<bool>{true, true, true, true, true}));
  ASSERT_EQ(prompts.messages.size(), 5u);
  EXPECT_EQ(prompts.messages[0].text, "Please enter an integer between 1 and 100.");
  EXPECT_EQ(prompts.messages[1].text, "Please enter an integer between 1 and 100.");
  EXPECT_EQ(prompts.messages[2].text, "Please enter an integer.");
  EXPECT_EQ(prompts.messages[3].text, "Please enter an integer.");
  EXPECT_EQ(prompts.messages[4].text, "Please enter an integer.");
  EXPECT_EQ(dialog.count, 100);
}

TEST_F(PromptsTest, CancelLeavesTheMembersAlone) {
  ExchangeDialog dialog;
  prompts.onDialog = [&](CDialog& running) {
    SetItemText(running, IDC_NAME, "Changed");
    running.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
  };
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.name, "MainWindow");
}

}  // namespace
