#pragma once

// The main window's size arithmetic: the widths of the material list's two
// columns and the window's place on the desktop.

struct MaterialColumnWidths {
  int specification;  // column 0
  int weight;         // column 1
};

// For a list whose client area is `clientWidth` pixels wide: column 0 gets
// 13 twentieths (counted in whole twentieths), column 1 the rest less 6 %
// of the width, which leaves room for the vertical scroll bar.
MaterialColumnWidths ComputeMaterialColumnWidths(int clientWidth);

struct WindowPosition {
  int x;
  int y;
};

// Right of the desktop's centre and in its upper third, where the window
// stands beside a maximised spreadsheet.
WindowPosition ComputeMainWindowPosition(int windowWidth, int windowHeight, int desktopWidth,
                                         int desktopHeight);
