#pragma once

#define IDD_CONTROLS 200
#define IDD_PAGE_ONE 201
#define IDD_PAGE_TWO 202
#define IDC_EDIT 101
#define IDC_CHECK_LIST 102
#define IDC_COMBO 103
#define IDC_PROGRESS 104
#define IDC_LIST_VIEW 106
#define IDC_PAGE_EDIT 110
