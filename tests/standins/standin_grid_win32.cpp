#include "tests/standins/standin_grid_win32.h"

#include <algorithm>
#include <string>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/dispatch_ids.h"
#include "tests/standins/standin_busy_win32.h"
#include "tests/standins/standin_windows_win32.h"

namespace {

constexpr int kCellWidth = 90;
constexpr int kCellHeight = 20;
constexpr int kHeaderWidth = 40;
constexpr int kShownRows = 40;
constexpr int kShownColumns = 10;

struct GridState {
  std::weak_ptr<CModelWorkbook> workbook;
  std::wstring entry;  // typed, not yet entered
  bool typing = false;
};

GridState* StateOf(HWND window) {
  return reinterpret_cast<GridState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::shared_ptr<CModelSheet> SheetOf(HWND window) {
  GridState* state = StateOf(window);
  std::shared_ptr<CModelWorkbook> workbook = state ? state->workbook.lock() : nullptr;
  return workbook ? workbook->ActiveSheet() : nullptr;
}

RECT CellBox(int row, int column) {
  int left = kHeaderWidth + (column - 1) * kCellWidth;
  int top = kCellHeight * row;
  return {left, top, left + kCellWidth, top + kCellHeight};
}

std::wstring ColumnName(int column) { return std::wstring(1, static_cast<wchar_t>(L'A' + column - 1)); }

void DrawText(HDC dc, RECT box, const std::wstring& text, COLORREF color, UINT align = DT_LEFT) {
  SetTextColor(dc, color);
  InflateRect(&box, -3, 0);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_VCENTER | align);
}

// The box of a cell, or of the whole merged area that the cell begins.
RECT AreaBox(const CellRect& area) {
  RECT first = CellBox(area.top, area.left);
  RECT last = CellBox(std::min(area.bottom, kShownRows), std::min(area.right, kShownColumns));
  return {first.left, first.top, last.right, last.bottom};
}

// A cell being edited: calls are rejected until the entry ends.
void SetTyping(GridState& state, bool typing) {
  if (state.typing == typing) return;
  state.typing = typing;
  SetStandinEditing(typing);
}

void PaintHeaders(HDC dc) {
  for (int column = 1; column <= kShownColumns; ++column) {
    RECT box = CellBox(0, column);
    DrawText(dc, box, ColumnName(column), RGB(90, 90, 90));
  }
  for (int row = 1; row <= kShownRows; ++row) {
    RECT box{0, kCellHeight * row, kHeaderWidth, kCellHeight * (row + 1)};
    DrawText(dc, box, std::to_wstring(row), RGB(90, 90, 90));
  }
}

void PaintCells(HDC dc, const CModelSheet& sheet, const GridState& state) {
  auto [activeRow, activeColumn] = sheet.ActiveCell();
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(210, 210, 210));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  for (int row = 1; row <= kShownRows; ++row) {
    for (int column = 1; column <= kShownColumns; ++column) {
      // A merged area is drawn once, as one cell, by its first cell.
      CellRect area = sheet.MergeArea(row, column);
      if (row != area.top || column != area.left) continue;
      RECT box = AreaBox(area);
      Rectangle(dc, box.left, box.top, box.right + 1, box.bottom + 1);
      bool active = row == activeRow && column == activeColumn;
      std::u16string text = sheet.CellText(row, column);
      std::wstring shown = active && state.typing ? state.entry : std::wstring(text.begin(), text.end());
      UINT align = sheet.HorizontalAlignment(row, column) == kAlignCenter ? DT_CENTER : DT_LEFT;
      DrawText(dc, box, shown, static_cast<COLORREF>(sheet.FontColor(row, column)), align);
      if (active) {
        HGDIOBJ brush = GetStockObject(BLACK_BRUSH);
        FrameRect(dc, &box, static_cast<HBRUSH>(brush));
      }
    }
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  PaintHeaders(dc);
  if (std::shared_ptr<CModelSheet> sheet = SheetOf(window)) PaintCells(dc, *sheet, *StateOf(window));
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

void SelectAt(HWND window, int x, int y) {
  std::shared_ptr<CModelSheet> sheet = SheetOf(window);
  int column = (x - kHeaderWidth) / kCellWidth + 1;
  int row = y / kCellHeight;
  if (!sheet || x < kHeaderWidth || row < 1 || column < 1 || column > kShownColumns) return;
  SetTyping(*StateOf(window), false);
  sheet->Select(CellRect::Cell(row, column));
}

// An error box over the frame; calls are rejected while it is open.
void ShowEntryError(HWND window, const std::u16string& description) {
  SetStandinEditing(true);
  MessageBoxW(GetAncestor(window, GA_ROOT), reinterpret_cast<const wchar_t*>(description.c_str()),
              L"Spreadsheet", MB_OK | MB_ICONERROR);
  SetStandinEditing(false);
}

// Enter: the typed text becomes the active cell's input, one change event;
// an entry that does not read (or a protected sheet) gets an error box and
// leaves the cell as it was.
void Enter(HWND window) {
  GridState* state = StateOf(window);
  std::shared_ptr<CModelSheet> sheet = SheetOf(window);
  if (!sheet || !state->typing) return;
  auto [row, column] = sheet->ActiveCell();
  SetTyping(*state, false);
  try {
    sheet->TypeInto(row, column, std::u16string(state->entry.begin(), state->entry.end()));
  } catch (const CAutomationError& error) {
    ShowEntryError(window, error.Description());
    return;
  }
  if (row < kSheetRows) sheet->Select(CellRect::Cell(row + 1, column));
}

void Type(HWND window, wchar_t character) {
  GridState* state = StateOf(window);
  if (character == L'\r') return Enter(window);
  if (character == 0x1B) {
    SetTyping(*state, false);
  } else if (character == L'\b') {
    if (!state->entry.empty()) state->entry.pop_back();
  } else if (character >= L' ') {
    if (!state->typing) state->entry.clear();
    SetTyping(*state, true);
    state->entry += character;
  }
}

LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A refused selection must not leave the window procedure.
  try {
    switch (message) {
      case WM_NCCREATE:
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
      case WM_NCDESTROY:
        if (GridState* state = StateOf(window)) SetTyping(*state, false);
        delete StateOf(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
      case WM_PAINT:
        Paint(window);
        return 0;
      case WM_LBUTTONDOWN:
        SetFocus(window);
        SelectAt(window, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        InvalidateRect(window, nullptr, TRUE);
        return 0;
      case WM_CHAR:
        Type(window, static_cast<wchar_t>(wParam));
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
  } catch (const CAutomationError&) {
    MessageBeep(MB_ICONHAND);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterGridClass(HINSTANCE instance) {
  WNDCLASSW grid{};
  grid.lpfnWndProc = GridProc;
  grid.hInstance = instance;
  grid.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  grid.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  grid.lpszClassName = kBookClass;
  return RegisterClassW(&grid) != 0;
}

HWND CreateGridWindow(HINSTANCE instance, HWND frame, const std::shared_ptr<CModelWorkbook>& workbook) {
  auto* state = new GridState{workbook, L"", false};
  std::wstring title(workbook->Name().begin(), workbook->Name().end());
  HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, kBookClass, title.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_CLIPSIBLINGS, 0, 0, 400, 300, frame,
                                nullptr, instance, state);
  if (!window) delete state;
  return window;
}
