// Resource ids of Res_KZ8. The ids are the contract between the library and
// everything that loads it: a translation is another build with these same
// ids. Plain defines, since the resource compiler reads this file too.
#pragma once

// Dialogs
#define IDD_SAVING 130
#define IDD_FILE_TYPE 1001
#define IDD_SORT 6999
#define IDD_WARNING 7003
#define IDD_CAPTURE_DRIVER 7005
#define IDD_PROPERTIES 7007
#define IDD_EMPTY_POPUP 7011
#define IDD_OPEN_PREVIEW 7012
#define IDD_FILE_DIALOG_EXTRA 7017

// Controls
#define IDC_SAVE_PROGRESS 7032
#define IDC_SEND_AS_MOVIE 7036
#define IDC_SEND_AS_PROGRAM 7037
#define IDC_SORT_BY_NAME 7000
#define IDC_SORT_BY_TYPE 7002
#define IDC_SORT_BY_SIZE 7004
#define IDC_SORT_BY_DATE 7006
#define IDC_SORT_REVERSE 7008
#define IDC_WARNING_TEXT 7010
#define IDC_CAPTURE_DRIVERS 7016
#define IDC_PROPERTY_FILE_NAME 7018
#define IDC_PROPERTY_WIDTH 7029
#define IDC_PROPERTY_HEIGHT 7030
#define IDC_PROPERTY_FILE_SIZE 7023
#define IDC_PROPERTY_FILE_DATE 7024
#define IDC_PREVIEW 7013
// Where a file dialog puts its own controls in a child template (stc32 of
// the platform's dlgs.h).
#define IDC_FILE_DIALOG_PLACE 1119

// Menus and their items
#define IDM_SOURCE_MENU 7020
#define IDM_PROPERTIES_MENU 7022
#define IDM_ACQUIRE_IMAGE 32771
#define IDM_CAPTURE_VIDEO 32772
#define IDM_PROPERTIES 32773

// Bitmaps
#define IDB_CARD_FACE 1002
#define IDB_STAMP_SUN 1003
#define IDB_STAMP_DIAMOND 1004
#define IDB_BANNER 1005
#define IDB_STAMP_HEART 1007
