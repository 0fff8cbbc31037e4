// Identifiers of the ui tests' resource script.
#pragma once

#define IDR_TESTFRAME 128
#define IDR_TESTTOOLBAR 130
#define IDB_TREEIMAGES 134
#define IDD_EXCHANGE 200

#define ID_TEST_OPEN 57601
#define ID_TEST_DELETE 32792
#define ID_TEST_MOVIE 32813
#define ID_TEST_NEVER 32795
#define ID_TEST_VIEWONLY 32900
#define ID_TEST_APP 32901
#define ID_TEST_EXIT 57665

#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_FLAG 1003
#define IDC_LIST 1004
#define IDC_COMBO 1005
