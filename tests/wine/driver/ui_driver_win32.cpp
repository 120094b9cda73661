#include "tests/wine/driver/ui_driver.h"

#include <fstream>
#include <thread>

namespace uidriver {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

bool IsDialog(HWND window) { return ClassName(window) == L"#32770"; }

}  // namespace

bool CProcess::Start(const std::filesystem::path& program, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring folder = program.parent_path().wstring();
  if (!CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  m_process = winfx::CHandle(info.hProcess);
  m_id = info.dwProcessId;
  return true;
}

bool CProcess::IsRunning() const { return WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> CProcess::WaitForExit(std::chrono::milliseconds timeout) const {
  if (WaitForSingleObject(m_process.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(m_process.Get(), &code);
  return code;
}

void CProcess::Kill() const {
  if (IsRunning()) TerminateProcess(m_process.Get(), 1);
}

std::vector<HWND> ProcessDialogs(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId && IsWindowVisible(window) && IsDialog(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(20ms);
  }
  return condition();
}

HWND WaitForDialog(DWORD processId, const std::wstring& title, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND dialog : ProcessDialogs(processId)) {
          if (title.empty() || GetText(dialog) == title) {
            found = dialog;
            return true;
          }
        }
        return false;
      },
      timeout);
  return found;
}

std::wstring GetText(HWND window) {
  // WM_GETTEXT is marshalled across processes; GetWindowText is not for
  // controls of another process.
  LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::wstring GetItemText(HWND dialog, int id) { return GetText(GetDlgItem(dialog, id)); }

void SetItemText(HWND dialog, int id, const std::wstring& text) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsItemVisible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

bool IsItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void Click(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout) {
  MessageBoxSeen seen;
  bool found = WaitUntil(
      [&] {
        for (HWND dialog : ProcessDialogs(processId)) {
          if (GetDlgItem(dialog, kMessageBoxTextId)) {
            seen = {dialog, GetText(dialog), GetItemText(dialog, kMessageBoxTextId)};
            return true;
          }
        }
        return false;
      },
      timeout);
  if (!found) return std::nullopt;
  return seen;
}

void Answer(const MessageBoxSeen& box, int command) {
  PostMessageW(box.box, WM_COMMAND, command, 0);
  // The next box the driver looks for must not be this one on its way out.
  WaitUntil([&] { return !IsWindow(box.box) || !IsWindowVisible(box.box); }, 5s);
}

HWND VisibleChildDialog(HWND frame) {
  for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsDialog(child) && IsWindowVisible(child)) return child;
  }
  return nullptr;
}

bool SaveWindowPicture(HWND window, const std::filesystem::path& file) {
  RECT rect{};
  GetWindowRect(window, &rect);
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  winfx::CMemoryDC memory(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  winfx::CBitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ReleaseDC(nullptr, screen);
  if (!bitmap) return false;
  {
    winfx::CSelectObject select(memory.Get(), bitmap.Get());
    // Copy from the screen: the window is on top while the driver runs.
    HDC windowDc = GetWindowDC(window);
    BitBlt(memory.Get(), 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDc);
  }
  GdiFlush();
  DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER header{0x4D42,
                          static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize),
                          0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  info.bmiHeader.biSizeImage = imageSize;
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), imageSize);
  return static_cast<bool>(out);
}

bool SaveSettledWindowPicture(HWND window, const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(300);
  return SaveWindowPicture(window, file);
}

}  // namespace uidriver
