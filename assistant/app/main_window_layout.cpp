#include "assistant/app/main_window_layout.h"

MaterialColumnWidths ComputeMaterialColumnWidths(int clientWidth) {
  int specification = (clientWidth / 20) * 13;
  double rest = clientWidth - specification - 0.06 * clientWidth;
  return {specification, static_cast<int>(rest)};
}

WindowPosition ComputeMainWindowPosition(int windowWidth, int windowHeight, int desktopWidth,
                                         int desktopHeight) {
  return {(desktopWidth - windowWidth) * 3 / 4 + 100, (desktopHeight - windowHeight) / 3};
}
