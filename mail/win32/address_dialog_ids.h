// The ids of the mail library's own dialogs: the plain address book and
// its entry dialog. Shared by the resource script and the code.
#pragma once

#define IDD_ADDRESS_BOOKS 4100
#define IDD_NEW_ADDRESS 4101

#define IDC_ADDRESS_LIST 4000
#define IDC_ADD_TO 4002
#define IDC_ADD_CC 4004
#define IDC_REMOVE 4005
#define IDC_TO_LIST 4006
#define IDC_CC_LIST 4007
#define IDC_ENTRY_NAME 4008
#define IDC_ENTRY_EMAIL 4009
#define IDC_BCC_LIST 4017
#define IDC_ADD_BCC 4022
#define IDC_REMOVE_TO_CC 4023
#define IDC_REMOVE_BCC 4024
#define IDC_EDIT_ENTRY 4025
#define IDC_ADD_ENTRY 4027
