// Ids of the assistant's resources: the main window (dialog 102), the About
// box, the pictures and the strings. The settings pages have their own
// header, settings_pages_resource.h.

#ifndef ZM_ASSISTANT_RESOURCE_H
#define ZM_ASSISTANT_RESOURCE_H

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_ASSISTANT 102
#define IDR_MAINFRAME 128
#define IDC_FINDER_CURSOR 132
#define IDI_DETACH 133
#define IDB_LINK_ATTACHED 134
#define IDB_LINK_DETACHED 136

// The system menu's About item.
#define IDM_ABOUTBOX 0x0010

// Main window.
#define IDC_NEW_BOM 1001
#define IDC_MATERIAL_LIST 1002
#define IDC_PREFIX_LIST 1004
#define IDC_SETTINGS 1005
#define IDC_RENEW_ALL 1006
#define IDC_FINDER 1007
#define IDC_DETACH 1008
#define IDC_SHEET 1009
#define IDC_LINK_LIGHT 1010
#define IDC_MATERIAL_LABEL 1016
#define IDC_DETACH_LABEL 1017
#define IDC_FINDER_LABEL 1018
#define IDC_SHEET_LABEL 1019
#define IDC_BOM_STYLE_LABEL 1020
#define IDC_BOM_STYLE_CHOICE 1041
#define IDC_BOM_STYLE_MORE 1042

// About box.
#define IDC_ABOUT_ICON 1100

#endif  // ZM_ASSISTANT_RESOURCE_H
