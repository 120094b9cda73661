#include "winfx/application.h"

#include <commctrl.h>

namespace winfx {

int CApplication::Run() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  return InitInstance();
}

}  // namespace winfx
