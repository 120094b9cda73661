// The common controls are bound at their first use instead of being
// imported: a DLL of the import table is loaded before the program's first
// act, and on loading the common controls start the system's theming,
// which loads further DLLs by name, before the program could restrict
// where they come from (winfx/dll_search.h). The few entries the programs
// call are defined here under the names of the import library's entries,
// so that every call of the programs binds to them.
//
// The DLL is loaded by name: the program's manifest then gives the
// version 6 controls from the system's side-by-side store, and the
// restricted search the system folder's, never a file beside the program.

#include <windows.h>

#include <commctrl.h>

namespace {

FARPROC CommonControlsEntry(const char* name) {
  static HMODULE module = LoadLibraryW(L"comctl32.dll");
  return module ? GetProcAddress(module, name) : nullptr;
}

template <typename Entry>
Entry Bind(const char* name) {
  return reinterpret_cast<Entry>(reinterpret_cast<void*>(CommonControlsEntry(name)));
}

BOOL WINAPI InitCommonControlsExAtFirstUse(const INITCOMMONCONTROLSEX* classes) {
  static auto entry = Bind<decltype(&InitCommonControlsEx)>("InitCommonControlsEx");
  return entry && entry(classes);
}

INT_PTR WINAPI PropertySheetWAtFirstUse(LPCPROPSHEETHEADERW header) {
  static auto entry = Bind<decltype(&PropertySheetW)>("PropertySheetW");
  return entry ? entry(header) : -1;
}

}  // namespace

// The import library's names: entries that the header declares as imported
// are reached through a pointer, the others are called directly.
extern "C" {
BOOL WINAPI SetWindowSubclassAtFirstUse(HWND window, SUBCLASSPROC procedure, UINT_PTR id,
                                        DWORD_PTR data) asm("_SetWindowSubclass@16");
BOOL WINAPI RemoveWindowSubclassAtFirstUse(HWND window, SUBCLASSPROC procedure,
                                           UINT_PTR id) asm("_RemoveWindowSubclass@12");
LRESULT WINAPI DefSubclassProcAtFirstUse(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) asm("_DefSubclassProc@16");

BOOL WINAPI SetWindowSubclassAtFirstUse(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
  static auto entry = Bind<decltype(&SetWindowSubclass)>("SetWindowSubclass");
  return entry && entry(window, procedure, id, data);
}

BOOL WINAPI RemoveWindowSubclassAtFirstUse(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  static auto entry = Bind<decltype(&RemoveWindowSubclass)>("RemoveWindowSubclass");
  return entry && entry(window, procedure, id);
}

LRESULT WINAPI DefSubclassProcAtFirstUse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static auto entry = Bind<decltype(&DefSubclassProc)>("DefSubclassProc");
  return entry ? entry(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

decltype(&InitCommonControlsEx) g_initCommonControlsEx asm("__imp__InitCommonControlsEx@4") =
    InitCommonControlsExAtFirstUse;
decltype(&SetWindowSubclass) g_setWindowSubclass asm("__imp__SetWindowSubclass@16") =
    SetWindowSubclassAtFirstUse;
decltype(&RemoveWindowSubclass) g_removeWindowSubclass asm("__imp__RemoveWindowSubclass@12") =
    RemoveWindowSubclassAtFirstUse;
decltype(&DefSubclassProc) g_defSubclassProc asm("__imp__DefSubclassProc@16") = DefSubclassProcAtFirstUse;
decltype(&PropertySheetW) g_propertySheetW asm("__imp__PropertySheetW@4") = PropertySheetWAtFirstUse;
}
