#pragma once

// What the installer's end-to-end tests seed and inspect: the CAD product
// keys, registry values, installed files, shortcuts and pictures.

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

// R14.0, R15.0, R16.2, R17.1 and R18.0 products, and one product without a
// "Language" value, in the 32-bit registry view as 32-bit CAD releases
// leave them; and an R17.1 product (kProduct64Only) in the 64-bit view
// only, which the installer must not see. False when the keys cannot be
// written.
bool SeedCadProducts();
void RemoveCadProducts();
inline constexpr wchar_t kProduct64Only[] = L"ACAD-6001:40964";

// Under HKEY_LOCAL_MACHINE, in the 32-bit view unless told.
bool KeyExists(const std::wstring& path, REGSAM view = KEY_WOW64_32KEY);
std::wstring ReadString(const std::wstring& path, const std::wstring& name);
DWORD ReadDword(const std::wstring& path, const std::wstring& name);

std::filesystem::path InstallerPath();
// The files the build packed into an archive ("product" or "system"), in
// the order of the archive.
std::vector<std::filesystem::path> PayloadFiles(const std::wstring& archive);
std::string ReadBytes(const std::filesystem::path& file);
// The system folder as a 32-bit program names it (system32), the folder
// that name leads a 32-bit program to on 64-bit Windows (SysWOW64), and
// whether a file is in the native system32 itself.
std::filesystem::path SystemFolder();
std::filesystem::path Wow64SystemFolder();
bool ExistsInNativeSystemFolder(const std::wstring& name);
std::filesystem::path ProgramsFolder();
// Whether a temporary copy of the uninstaller, or its folder, is in the
// temporary folder.
bool HasTemporaryUninstaller();
std::filesystem::path LinkTarget(const std::filesystem::path& link);

// The id of the control that has the keyboard focus in the process.
int GetFocusedControlId(DWORD processId);
// Saves a picture of the window under screenshots/<language>/<name>.bmp,
// after letting it repaint; `settle` false takes the screen as it is now.
// False when no painted picture could be had.
bool SavePicture(HWND window, const std::wstring& language, const std::wstring& name, bool settle = true);
std::filesystem::path PicturePath(const std::wstring& language, const std::wstring& name);
