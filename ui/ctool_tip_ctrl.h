// CToolTipCtrl: a tooltip control whose tools are whole windows; the owner
// relays mouse messages to it with RelayEvent.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/cwnd.h"

class CToolTipCtrl : public CWnd {
 public:
  BOOL Create(CWnd* parent, DWORD style = 0);
  // The tool is `tool`'s whole window; the text is copied.
  BOOL AddTool(CWnd* tool, const char* text);
  void DelTool(CWnd* tool);
  void UpdateTipText(const char* text, CWnd* tool);
  void RelayEvent(MSG* msg);
  // The mouse messages a tooltip needs to see to show and hide its tips.
  static bool IsRelayedMouseMessage(UINT message);
  void Activate(BOOL activate);
  int GetToolCount() const;

 private:
  TOOLINFOA ToolInfo(CWnd* tool, const char* text) const;
};
