#include "tests/standins/standin_windows_win32.h"

#include <string>

#include "tests/standins/standin_grid_win32.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 200;

std::wstring WideOf(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring TitleOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

}  // namespace

CStandinWindows::CStandinWindows(std::shared_ptr<CWorkbookModel> model, std::function<void()> onTick)
    : m_model(std::move(model)), m_onTick(std::move(onTick)) {}

CStandinWindows::~CStandinWindows() {
  if (m_frame) DestroyWindow(m_frame);
}

bool CStandinWindows::Create(HINSTANCE instance) {
  m_instance = instance;
  WNDCLASSW frame{};
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = instance;
  frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  frame.lpszClassName = kFrameClass;
  WNDCLASSW desk{};
  desk.lpfnWndProc = DefWindowProcW;
  desk.hInstance = instance;
  desk.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  desk.lpszClassName = kDeskClass;
  if (!RegisterClassW(&frame) || !RegisterClassW(&desk) || !RegisterGridClass(instance)) return false;
  m_frame =
      CreateWindowExW(0, kFrameClass, WideOf(m_model->Title()).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                      40, 40, 900, 700, nullptr, nullptr, instance, this);
  if (!m_frame) return false;
  m_desk = CreateWindowExW(0, kDeskClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, m_frame,
                           nullptr, instance, nullptr);
  if (!m_desk) return false;
  m_model->hwnd = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(m_frame));
  LayOut();
  SetTimer(m_frame, kTickTimer, kTickMs, nullptr);
  Sync(true);
  return true;
}

void CStandinWindows::Sync(bool repaint) {
  std::wstring title = WideOf(m_model->Title());
  if (TitleOf(m_frame) != title) SetWindowTextW(m_frame, title.c_str());
  const auto& workbooks = m_model->Workbooks();
  while (m_books.size() < workbooks.size()) {
    m_books.push_back(CreateGridWindow(m_instance, m_desk, workbooks[m_books.size()]));
    LayOut();
  }
  std::vector<bool> maximized;
  for (const auto& workbook : workbooks) maximized.push_back(workbook->maximized);
  if (maximized != m_laidOut) LayOut();  // a window was maximised or restored
  for (std::size_t i = 0; i < workbooks.size(); ++i) {
    std::wstring name = WideOf(workbooks[i]->Name());
    if (m_books[i] && TitleOf(m_books[i]) != name) SetWindowTextW(m_books[i], name.c_str());
  }
  if (auto active = m_model->ActiveWorkbook(); active && active != m_shownActive.lock()) {
    m_shownActive = active;
    for (std::size_t i = 0; i < workbooks.size(); ++i) {
      if (workbooks[i] == active && m_books[i])
        SetWindowPos(m_books[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
  }
  if (repaint) {
    for (HWND book : m_books) InvalidateRect(book, nullptr, TRUE);
  }
  bool shown = IsWindowVisible(m_frame) != FALSE;
  if (shown != m_model->visible) ShowWindow(m_frame, m_model->visible ? SW_SHOW : SW_HIDE);
}

void CStandinWindows::LayOut() {
  RECT client;
  GetClientRect(m_frame, &client);
  if (m_desk) MoveWindow(m_desk, 0, 0, client.right, client.bottom, TRUE);
  // A maximised workbook window fills the desk; the others are cascaded.
  const auto& workbooks = m_model->Workbooks();
  m_laidOut.clear();
  for (const auto& workbook : workbooks) m_laidOut.push_back(workbook->maximized);
  for (std::size_t i = 0; i < m_books.size() && i < workbooks.size(); ++i) {
    int offset = workbooks[i]->maximized ? 0 : 24 * static_cast<int>(i % 8);
    int shrink = workbooks[i]->maximized ? 0 : client.right / 4;
    MoveWindow(m_books[i], offset, offset, client.right - offset - shrink, client.bottom - offset - shrink,
               TRUE);
  }
}

LRESULT CALLBACK CStandinWindows::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<CStandinWindows*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_TIMER:
      self->Sync(true);
      if (self->m_onTick) self->m_onTick();
      return 0;
    case WM_SIZE:
      self->LayOut();
      return 0;
    case WM_CLOSE:
      // Closing hides the application; the process ends once no client holds it.
      self->m_model->visible = false;
      ShowWindow(window, SW_HIDE);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kTickTimer);
      self->m_frame = nullptr;
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
