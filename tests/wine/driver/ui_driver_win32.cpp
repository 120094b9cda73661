#include "tests/wine/driver/ui_driver.h"

#include <algorithm>
#include <fstream>
#include <thread>
#include <utility>

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

namespace {

struct WindowSearch {
  DWORD processId;
  const std::wstring& className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevelWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((search->processId == kAnyProcess || owner == search->processId) && IsWindowVisible(window) &&
      name == search->className)
    search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& className) {
  WindowSearch search{processId, className, {}};
  EnumWindows(CollectTopLevelWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ProcessDialogs(DWORD processId) { return TopLevelWindows(processId, L"#32770"); }

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

namespace {

// A window's pixels as a bottom-up 24-bit DIB.
struct CPicture {
  int width = 0;
  int height = 0;
  DWORD stride = 0;
  std::vector<BYTE> bits;
};

std::optional<CPicture> CaptureWindow(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  CPicture picture;
  picture.width = rect.right - rect.left;
  picture.height = rect.bottom - rect.top;
  if (picture.width <= 0 || picture.height <= 0) return std::nullopt;
  HDC screen = GetDC(nullptr);
  winfx::CMemoryDC memory(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, picture.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  winfx::CBitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ReleaseDC(nullptr, screen);
  if (!bitmap) return std::nullopt;
  {
    winfx::CSelectObject select(memory.Get(), bitmap.Get());
    // Copy from the screen: the window is on top while the driver runs.
    HDC windowDc = GetWindowDC(window);
    BitBlt(memory.Get(), 0, 0, picture.width, picture.height, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDc);
  }
  GdiFlush();
  picture.stride = (static_cast<DWORD>(picture.width) * 3 + 3) & ~3u;
  const BYTE* first = static_cast<const BYTE*>(bits);
  picture.bits.assign(first, first + picture.stride * static_cast<DWORD>(picture.height));
  return picture;
}

bool IsBlackRow(const CPicture& picture, int row) {
  const BYTE* pixels = picture.bits.data() + picture.stride * static_cast<DWORD>(row);
  return std::all_of(pixels, pixels + picture.width * 3, [](BYTE value) { return value == 0; });
}

// A capture made before the window was painted: one colour all over, or a
// band of unpainted black rows (a tenth of the height or more).
bool IsBlank(const CPicture& picture) {
  const BYTE* pixels = picture.bits.data();
  bool oneColour = true;
  for (int row = 0; row < picture.height && oneColour; ++row) {
    const BYTE* line = pixels + picture.stride * static_cast<DWORD>(row);
    for (int x = 0; x < picture.width * 3 && oneColour; ++x) oneColour = line[x] == pixels[x % 3];
  }
  if (oneColour) return true;
  int band = 0;
  for (int row = 0; row < picture.height; ++row) {
    band = IsBlackRow(picture, row) ? band + 1 : 0;
    if (band * 10 >= picture.height) return true;
  }
  return false;
}

bool WritePicture(const CPicture& picture, const std::filesystem::path& file) {
  DWORD imageSize = static_cast<DWORD>(picture.bits.size());
  BITMAPFILEHEADER header{0x4D42,
                          static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize),
                          0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  BITMAPINFOHEADER info = {
      sizeof(BITMAPINFOHEADER), picture.width, picture.height, 1, 24, BI_RGB, imageSize, 0, 0, 0, 0};
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(picture.bits.data()), imageSize);
  return static_cast<bool>(out);
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::filesystem::path& file, std::chrono::milliseconds timeout) {
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  std::optional<CPicture> picture;
  bool first = true;
  WaitUntil(
      [&] {
        // Tests share one display: a window of another test may cover this
        // one, whose covered part then reads black. Raise it, and have it
        // repaint what it had not painted, before each new try.
        if (!std::exchange(first, false)) {
          SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
          RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
          Sleep(100);
        }
        picture = CaptureWindow(window);
        return picture && !IsBlank(*picture);
      },
      timeout);
  if (!picture) return false;
  if (IsBlank(*picture)) {
    // Kept beside, for a person to see what the window showed.
    std::filesystem::path blank = file;
    WritePicture(*picture, blank.replace_extension(L".blank.bmp"));
    return false;
  }
  return WritePicture(*picture, file);
}

bool SaveSettledWindowPicture(HWND window, const std::filesystem::path& file) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(300);
  return SaveWindowPicture(window, file);
}

ProgramRun RunCapturingOutput(std::wstring commandLine, std::chrono::milliseconds timeout) {
  ProgramRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process{};
  run.started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &startup, &process);
  CloseHandle(writeEnd);
  char buffer[4096];
  DWORD read = 0;
  while (run.started && ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
    run.output.append(buffer, read);
  CloseHandle(readEnd);
  if (!run.started) return run;
  run.ended = WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
  if (!run.ended) TerminateProcess(process.hProcess, 1);
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

void PumpMessages(std::chrono::milliseconds duration) {
  auto end = std::chrono::steady_clock::now() + duration;
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
}

std::wstring AnswerMessageBoxTitled(const wchar_t* caption) {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindWindowW(L"#32770", caption)) != nullptr; }, 5s)) return L"(no box)";
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  return text;
}

}  // namespace uidriver
