#pragma once

// The stand-in's windows, by the spreadsheet's classes: a frame ("XLMAIN")
// titled with the program's and the active workbook's names (the title that
// Application.Caption reads) and shown while the application is visible, a
// desk ("XLDESK") filling it, and on the desk one window per workbook
// ("EXCEL7", maximised unless its WindowState says otherwise) titled with
// its name, the active one in front, holding
// a plain grid of the active sheet. Clicking a cell selects it; typing and
// Enter set it, as a person's entry does.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "tests/standins/workbook/workbook_model.h"

inline constexpr const wchar_t* kFrameClass = L"XLMAIN";
inline constexpr const wchar_t* kDeskClass = L"XLDESK";
inline constexpr const wchar_t* kBookClass = L"EXCEL7";

class CStandinWindows {
 public:
  // `onTick` runs every 200 ms on the frame's timer.
  CStandinWindows(std::shared_ptr<CWorkbookModel> model, std::function<void()> onTick);
  ~CStandinWindows();
  CStandinWindows(const CStandinWindows&) = delete;
  CStandinWindows& operator=(const CStandinWindows&) = delete;

  bool Create(HINSTANCE instance);
  // Titles, visibility and one window per workbook, as the model has them;
  // the grids are repainted too when `repaint` is set (on the timer only, as
  // a repaint after every call would cost more than the call).
  void Sync(bool repaint);
  HWND Frame() const { return m_frame; }

 private:
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void LayOut();

  std::shared_ptr<CWorkbookModel> m_model;
  std::function<void()> m_onTick;
  HINSTANCE m_instance = nullptr;
  HWND m_frame = nullptr;
  HWND m_desk = nullptr;
  std::vector<HWND> m_books;
  std::vector<bool> m_laidOut;  // the workbooks' maximised states the windows were laid out for
  std::weak_ptr<CModelWorkbook> m_shownActive;
};
