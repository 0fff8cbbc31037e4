// Type-safe command tables: a window class lists its commands as
// {id, command handler, update handler} and answers OnCmdMsg/HandleCmdMsg
// with DispatchCommand, e.g.
//
//   BOOL CMainFrame::HandleCmdMsg(UINT id, int code, CCmdUI* ui) {
//     static const CommandEntry<CMainFrame> kCommands[] = {
//         {ID_FILE_OPEN, &CMainFrame::OnFileOpen, nullptr},
//         {ID_EDIT_DELETE, &CMainFrame::OnDelete, &CMainFrame::OnUpdateSelected},
//     };
//     return DispatchCommand(*this, kCommands, id, code, ui) ||
//            CFrameWnd::HandleCmdMsg(id, code, ui);
//   }
//
// An entry with a command handler but no update handler is enabled; an
// entry with only an update handler leaves the state to that handler.
#pragma once

#include <cstddef>

#include "ui/afx_ids.h"
#include "ui/ccmd_ui.h"

template <class Target>
struct CommandEntry {
  UINT id;
  void (Target::*onCommand)();
  void (Target::*onUpdate)(CCmdUI*);
};

template <class Target, size_t N>
BOOL DispatchCommand(Target& target, const CommandEntry<Target> (&table)[N], UINT id, int code,
                     CCmdUI* ui) {
  for (const CommandEntry<Target>& entry : table) {
    if (entry.id != id) continue;
    if (code == CN_COMMAND && entry.onCommand != nullptr) {
      (target.*entry.onCommand)();
      return TRUE;
    }
    if (code == CN_UPDATE_COMMAND_UI && ui != nullptr) {
      if (entry.onUpdate != nullptr) {
        (target.*entry.onUpdate)(ui);
      } else if (entry.onCommand != nullptr) {
        ui->Enable(TRUE);
      } else {
        continue;
      }
      return TRUE;
    }
  }
  return FALSE;
}
