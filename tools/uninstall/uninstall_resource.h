#pragma once

// Resources of the uninstaller.

#define IDD_UNINSTALL_PROGRESS 101
#define IDC_PROGRESS_STAGE 1001
#define IDC_PROGRESS_ITEM 1002
#define IDC_PROGRESS_BAR 1003
