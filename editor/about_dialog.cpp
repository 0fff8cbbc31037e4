#include "editor/about_dialog.h"

#include "editor/resource.h"

CAboutDialog::CAboutDialog(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}
