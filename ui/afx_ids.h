// The framework's standard identifiers, messages and control bar styles,
// with the numeric values resource scripts and the editor use.
#pragma once

#include <windows.h>

// Separator entry in toolbar button and status bar indicator arrays.
#define ID_SEPARATOR 0

// Standard commands.
#define ID_FILE_NEW 0xE100         // 57600
#define ID_FILE_OPEN 0xE101        // 57601
#define ID_FILE_SAVE 0xE103        // 57603
#define ID_APP_ABOUT 0xE140        // 57664
#define ID_APP_EXIT 0xE141         // 57665
#define ID_VIEW_TOOLBAR 0xE800     // 59392
#define ID_VIEW_STATUS_BAR 0xE801  // 59393

// Status bar indicators.
#define ID_INDICATOR_CAPS 0xE701  // 59137
#define ID_INDICATOR_NUM 0xE702   // 59138
#define ID_INDICATOR_SCRL 0xE703  // 59139

// Child window ids inside a frame: the bars share the ids of the View
// commands that show and hide them.
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_PANE_FIRST 0xE900

// String-table entries.
#define AFX_IDS_APP_TITLE 0xE000    // 57344
#define AFX_IDS_IDLEMESSAGE 0xE001  // 57345

// Private messages of the framework.
#define WM_IDLEUPDATECMDUI 0x0363  // wParam: disable commands without handler
#define WM_INITIALUPDATE 0x0364    // views run OnInitialUpdate

// Command routing codes for CWnd::OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (-1)

// Control bar styles (kept by the bar, never passed to the window).
#define CBRS_ALIGN_TOP 0x2000
#define CBRS_ALIGN_BOTTOM 0x8000
#define CBRS_TOP CBRS_ALIGN_TOP
#define CBRS_BOTTOM CBRS_ALIGN_BOTTOM
#define CBRS_TOOLTIPS 0x0010
#define CBRS_FLYBY 0x0020
#define CBRS_GRIPPER 0x00400000L
#define CBRS_SIZE_DYNAMIC 0x0080
#define CBRS_ALL 0x0040FFFFL

// Mapping mode accepted by CScrollView::SetScrollSizes.
#ifndef MM_TEXT
#define MM_TEXT 1
#endif
