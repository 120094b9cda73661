#include "tests/standins/standin_grid_win32.h"

#include <algorithm>
#include <optional>
#include <string>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/dispatch_ids.h"
#include "tests/standins/clipboard_table.h"
#include "tests/standins/grid_selection.h"
#include "tests/standins/standin_busy_win32.h"
#include "tests/standins/standin_clipboard_win32.h"
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
  CGridSelection selection;
  bool dragging = false;
  // The block last copied or cut here, while the clipboard still holds it:
  // a paste then copies the cells themselves, formulas moved along.
  std::optional<CellRect> copied;
  bool cut = false;
  DWORD clipboardSequence = 0;
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

bool IsSelected(const CGridSelection& selection, int row, int column) {
  const auto& areas = selection.Areas();
  if (areas.size() == 1 && areas.front().IsCell()) return false;
  return std::any_of(areas.begin(), areas.end(),
                     [&](const CellRect& area) { return area.Contains(row, column); });
}

void PaintCells(HDC dc, const CModelSheet& sheet, const GridState& state) {
  auto [activeRow, activeColumn] = sheet.ActiveCell();
  HBRUSH selectedBrush = CreateSolidBrush(RGB(204, 232, 255));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(210, 210, 210));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  for (int row = 1; row <= kShownRows; ++row) {
    for (int column = 1; column <= kShownColumns; ++column) {
      // A merged area is drawn once, as one cell, by its first cell.
      CellRect area = sheet.MergeArea(row, column);
      if (row != area.top || column != area.left) continue;
      RECT box = AreaBox(area);
      Rectangle(dc, box.left, box.top, box.right + 1, box.bottom + 1);
      if (IsSelected(state.selection, row, column)) {
        RECT inside{box.left + 1, box.top + 1, box.right, box.bottom};
        FillRect(dc, &inside, selectedBrush);
      }
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
  DeleteObject(selectedBrush);
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

// The cell under a point of the window; column 0 is the row header.
std::optional<std::pair<int, int>> CellAt(int x, int y) {
  int row = y / kCellHeight;
  int column = x < kHeaderWidth ? 0 : (x - kHeaderWidth) / kCellWidth + 1;
  if (row < 1 || column > kShownColumns) return std::nullopt;
  return std::pair{row, column};
}

// The model's selection follows the grid's (its last area), with its event.
void ShowSelection(HWND window) {
  GridState& state = *StateOf(window);
  if (std::shared_ptr<CModelSheet> sheet = SheetOf(window)) sheet->Select(state.selection.Areas().back());
}

// A click starts a selection, Ctrl+click adds an area, Shift+click
// stretches the last; on a row header they take whole rows.
void OnButtonDown(HWND window, int x, int y, WPARAM keys) {
  GridState& state = *StateOf(window);
  std::optional<std::pair<int, int>> cell = CellAt(x, y);
  if (!cell || !SheetOf(window)) return;
  SetTyping(state, false);
  auto [row, column] = *cell;
  bool add = (keys & MK_CONTROL) != 0;
  if (keys & MK_SHIFT) {
    state.selection.ExtendTo(row, column == 0 ? kSheetColumns : column);
  } else if (column == 0) {
    state.selection.StartRows(row, add);
  } else {
    state.selection.Start(row, column, add);
  }
  state.dragging = true;
  SetCapture(window);
  ShowSelection(window);
}

void OnMouseMove(HWND window, int x, int y) {
  GridState& state = *StateOf(window);
  if (!state.dragging) return;
  int row = std::max(1, y / kCellHeight);
  int column = std::clamp((x - kHeaderWidth) / kCellWidth + 1, 1, kShownColumns);
  state.selection.ExtendTo(row, column);
}

void OnButtonUp(HWND window) {
  GridState& state = *StateOf(window);
  if (!state.dragging) return;
  state.dragging = false;
  ReleaseCapture();
  ShowSelection(window);
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
  if (row < kSheetRows) state->selection.Start(row + 1, column, false);
  ShowSelection(window);
}

// Ctrl+Enter: the typed text into every cell of the selection, all its
// areas, as one change.
void EnterIntoSelection(HWND window) {
  GridState* state = StateOf(window);
  std::shared_ptr<CModelSheet> sheet = SheetOf(window);
  if (!sheet || !state->typing) return;
  SetTyping(*state, false);
  try {
    sheet->SetValue(state->selection.Areas(), std::u16string(state->entry.begin(), state->entry.end()));
  } catch (const CAutomationError& error) {
    ShowEntryError(window, error.Description());
  }
}

// The cells of `block` as the grid shows them, cut to the used columns
// where whole rows were taken.
TextTable ShownTexts(const CModelSheet& sheet, CellRect block) {
  CellRect used = sheet.UsedRange();
  block.right = std::min(block.right, std::max(used.right, block.left));
  block.bottom = std::min(block.bottom, std::max(used.bottom, block.top));
  TextTable table;
  for (int row = block.top; row <= block.bottom; ++row) {
    table.emplace_back();
    for (int column = block.left; column <= block.right; ++column)
      table.back().push_back(sheet.CellText(row, column));
  }
  return table;
}

// Ctrl+C and Ctrl+X: the first area's texts on the clipboard, for any program.
void CopySelection(HWND window, bool cut) {
  GridState& state = *StateOf(window);
  std::shared_ptr<CModelSheet> sheet = SheetOf(window);
  const CellRect& area = state.selection.Areas().front();
  if (!PutClipboardText(window, TableText(ShownTexts(*sheet, area)))) return;
  state.copied = area;
  state.cut = cut;
  state.clipboardSequence = GetClipboardSequenceNumber();
}

// Ctrl+V at the selection's first cell: the cells themselves when they were
// copied here and the clipboard still holds them, else the clipboard's text.
void Paste(HWND window) {
  GridState& state = *StateOf(window);
  std::shared_ptr<CModelSheet> sheet = SheetOf(window);
  const CellRect& destination = state.selection.Areas().front();
  if (state.copied && state.clipboardSequence == GetClipboardSequenceNumber()) {
    CellRect source = *state.copied;
    sheet->CopyBlock(source, destination);
    if (std::exchange(state.cut, false)) {
      state.copied.reset();
      if (!(source.top <= destination.bottom && destination.top <= source.bottom))
        sheet->ClearContents({source});
    }
    return;
  }
  std::optional<std::u16string> text = ClipboardText(window);
  if (!text) return;
  TextTable table = ParseTableText(*text);
  if (table.empty()) return;
  CellRect pasted = sheet->PasteTexts(destination.top, destination.left, table);
  state.selection.Start(pasted.top, pasted.left, false);
  state.selection.ExtendTo(pasted.bottom, pasted.right);
}

// Ctrl+D: every area filled from its first row, or from the row above it
// when it is one row.
void FillDown(HWND window) {
  GridState& state = *StateOf(window);
  std::shared_ptr<CModelSheet> sheet = SheetOf(window);
  for (const CellRect& area : state.selection.Areas()) {
    if (area.top == area.bottom) {
      if (area.top > 1) sheet->CopyBlock({area.top - 1, area.left, area.top - 1, area.right}, area);
    } else {
      sheet->FillDown(area);
    }
  }
}

// Ctrl and a letter, as the keyboard sends it (a control character).
bool RunBlockCommand(HWND window, wchar_t character) {
  if (!SheetOf(window)) return false;
  switch (character) {
    case 0x03:  // Ctrl+C
      CopySelection(window, false);
      return true;
    case 0x18:  // Ctrl+X
      CopySelection(window, true);
      return true;
    case 0x16:  // Ctrl+V
      Paste(window);
      return true;
    case 0x04:  // Ctrl+D
      FillDown(window);
      return true;
    default:
      return false;
  }
}

bool IsDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// Ctrl+- deletes the whole rows of the selection's first area, Ctrl++
// inserts as many before it.
void DeleteOrInsertRows(HWND window, bool insert) {
  GridState& state = *StateOf(window);
  std::shared_ptr<CModelSheet> sheet = SheetOf(window);
  const CellRect area = state.selection.Areas().front();
  if (insert) {
    sheet->InsertRows(area.top, area.bottom - area.top + 1);
  } else {
    sheet->DeleteRows(area.top, area.bottom);
  }
}

// Keys that are no characters: arrows (with Shift they stretch the
// selection), Delete, Shift+Space, Ctrl+- and Ctrl++. False for others.
bool OnKeyDown(HWND window, UINT key) {
  GridState& state = *StateOf(window);
  std::shared_ptr<CModelSheet> sheet = SheetOf(window);
  if (!sheet || state.typing) return false;
  bool shift = IsDown(VK_SHIFT);
  bool control = IsDown(VK_CONTROL);
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
      state.selection.Step(key == VK_UP     ? -1
                           : key == VK_DOWN ? 1
                                            : 0,
                           key == VK_LEFT    ? -1
                           : key == VK_RIGHT ? 1
                                             : 0,
                           shift);
      ShowSelection(window);
      return true;
    case VK_DELETE:
      sheet->ClearContents(state.selection.Areas());
      return true;
    case VK_SPACE:
      if (!shift) return false;
      state.selection.WidenToRows();
      ShowSelection(window);
      return true;
    case VK_OEM_MINUS:
    case VK_SUBTRACT:
      if (!control) return false;
      DeleteOrInsertRows(window, false);
      return true;
    case VK_OEM_PLUS:
    case VK_ADD:
      if (!control) return false;
      DeleteOrInsertRows(window, true);
      return true;
    default:
      return false;
  }
}

// A key the grid took as a command (Shift+Space, Ctrl+-) may also have been
// translated into a character, queued behind it: that is no entry.
void DropCharacterOfKey(HWND window) {
  MSG character;
  PeekMessageW(&character, window, WM_CHAR, WM_CHAR, PM_REMOVE);
}

void Type(HWND window, wchar_t character) {
  GridState* state = StateOf(window);
  if (character == L'\r') return Enter(window);
  if (character == L'\n') return EnterIntoSelection(window);
  if (!state->typing && RunBlockCommand(window, character)) return;
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
        OnButtonDown(window, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), wParam);
        InvalidateRect(window, nullptr, TRUE);
        return 0;
      case WM_MOUSEMOVE:
        OnMouseMove(window, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        if (StateOf(window)->dragging) InvalidateRect(window, nullptr, TRUE);
        return 0;
      case WM_LBUTTONUP:
        OnButtonUp(window);
        return 0;
      case WM_KEYDOWN:
        if (!OnKeyDown(window, static_cast<UINT>(wParam))) break;
        DropCharacterOfKey(window);
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
  auto* state = new GridState;
  state->workbook = workbook;
  std::wstring title(workbook->Name().begin(), workbook->Name().end());
  HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, kBookClass, title.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_CLIPSIBLINGS, 0, 0, 400, 300, frame,
                                nullptr, instance, state);
  if (!window) delete state;
  return window;
}
