// Dialog and control ids of TestCamera.dll's resources (camera.rc).
#pragma once

#define IDD_FORMAT_PAGE 100
#define IDD_SOURCE_PAGE 101
#define IDD_VFW_FORMAT 102
#define IDD_VFW_SOURCE 103

// The format choice, on the format page and in the VfW format dialog.
#define IDC_SUBTYPE 1001
#define IDC_PICTURE_SIZE 1002
// The source setting, on the source page and in the VfW source dialog.
#define IDC_INVERTED 1003
