// Resource and command identifiers of QorvaEditor. Shared by QorvaEditor.rc
// and the C++ sources, so it holds only #define lines that both the resource
// compiler and the C++ compiler accept.
//
// Framework-standard identifiers keep the framework's numbers, written
// exactly as ui/afx_ids.h writes them (a second identical definition is no
// redefinition), and only when it has not defined them yet.
#ifndef QORVA_EDITOR_RESOURCE_H
#define QORVA_EDITOR_RESOURCE_H

// --- Resources ---------------------------------------------------------------
// The About box.
#define IDD_ABOUTBOX 100
// Main frame: menu, accelerators, toolbar bitmap, application icon and the
// application title string all share this number.
#define IDR_MAINFRAME 128
// Tree image strip: ten 16 x 16 images, magenta is transparent.
#define IDB_TREE_IMAGES 134
// The Insert Object dialog.
#define IDD_INSERT_OBJECT 150

// Tree images, by position in IDB_TREE_IMAGES.
#define TREE_IMAGE_CONTAINER 0
#define TREE_IMAGE_DRIVELIST 1
#define TREE_IMAGE_BUTTON 2
#define TREE_IMAGE_LISTBOX 3
#define TREE_IMAGE_SLIDER 4
#define TREE_IMAGE_TEXT 5
#define TREE_IMAGE_SHORTCUT 6
#define TREE_IMAGE_ANIMATION 7
#define TREE_IMAGE_VUMETER 8
// Objects of kinds this editor does not know.
#define TREE_IMAGE_UNKNOWN_KIND 9
#define TREE_IMAGE_COUNT 10
#define TREE_IMAGE_SIZE 16

// Toolbar bitmap: one 16 x 16 picture per button, in toolbar order.
#define TOOLBAR_IMAGE_SIZE 16
#define TOOLBAR_BUTTON_COUNT 15

// --- Controls ----------------------------------------------------------------
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
// About box: the application icon and the version line.
#define IDC_ABOUT_ICON 1000
#define IDC_ABOUT_VERSION 1001
// Insert Object: the list of default objects (report view, one column).
#define IDC_OBJECT_LIST 1010

// --- Commands ----------------------------------------------------------------
// File
#ifndef ID_FILE_NEW
#define ID_FILE_NEW 0xE100  // 57600
#endif
#ifndef ID_FILE_OPEN
#define ID_FILE_OPEN 0xE101  // 57601
#endif
#ifndef ID_FILE_SAVE
#define ID_FILE_SAVE 0xE103  // 57603
#endif
#define ID_FILE_SAVE_AS 32778
#ifndef ID_APP_EXIT
#define ID_APP_EXIT 0xE141  // 57665
#endif
// Insert
#define ID_INSERT_NEWCONTAINER 32791
#define ID_INSERT_TEXT 32788
#define ID_INSERT_OBJECT 32793
#define ID_INSERT_SHORTCUT 32799
#define ID_INSERT_ANIMATION 32814
#define ID_INSERT_VUMETER 32819
// Edit
#define ID_EDIT_LAYOUTCONTAINERS 32795
#define ID_CONTAINER_LOADBITMAP 32771
#define ID_CONTAINER_WINDOWREGION 32784
#define ID_CONTAINER_EDIT 32794
#define ID_EDIT_OBJECT 32797
#define ID_EDIT_SKINMENU 32800
#define ID_EDIT_DELETE 32792
// Toolbar only: Edit of the selected item, and the movie area switch.
#define ID_EDIT_ITEM 32779
#define ID_VIEW_MOVIEAREA 32813
// View
#ifndef ID_VIEW_TOOLBAR
#define ID_VIEW_TOOLBAR 0xE800  // 59392
#endif
#ifndef ID_VIEW_STATUS_BAR
#define ID_VIEW_STATUS_BAR 0xE801  // 59393
#endif
// Help
#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT 0xE140  // 57664
#endif

// --- Status bar --------------------------------------------------------------
#ifndef ID_INDICATOR_CAPS
#define ID_INDICATOR_CAPS 0xE701  // 59137
#endif
#ifndef ID_INDICATOR_NUM
#define ID_INDICATOR_NUM 0xE702  // 59138
#endif
#ifndef ID_INDICATOR_SCRL
#define ID_INDICATOR_SCRL 0xE703  // 59139
#endif
// The application's title.
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 0xE000  // 57344
#endif
// The message pane's text when no prompt is shown.
#ifndef AFX_IDS_IDLEMESSAGE
#define AFX_IDS_IDLEMESSAGE 0xE001  // 57345
#endif

#endif  // QORVA_EDITOR_RESOURCE_H
