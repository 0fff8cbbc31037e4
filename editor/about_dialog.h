// CAboutDialog: the "About QorvaEditor" box.
#pragma once

#include "ui/cdialog.h"

class CAboutDialog : public CDialog {
 public:
  explicit CAboutDialog(CWnd* parent = nullptr);
};
