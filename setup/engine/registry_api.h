#pragma once

// The registry as the installer and the uninstaller use it: the few calls of
// the Win32 registry, with key handles as plain numbers and texts (names,
// paths, string data) as bytes in the code page the adapter was made with
// (the language's for the installer, UTF-8 for the uninstaller). Results are
// Win32 error codes.

#include <cstddef>
#include <cstdint>
#include <string>

using RegistryHandle = std::uintptr_t;

// The predefined roots, with the values Win32 gives them.
inline constexpr RegistryHandle kHkeyClassesRoot = 0x80000000u;
inline constexpr RegistryHandle kHkeyCurrentUser = 0x80000001u;
inline constexpr RegistryHandle kHkeyLocalMachine = 0x80000002u;
inline constexpr RegistryHandle kHkeyUsers = 0x80000003u;

inline constexpr long kRegistrySuccess = 0;
inline constexpr long kRegistryNotFound = 2;
inline constexpr long kRegistryAccessDenied = 5;
inline constexpr long kRegistryInvalidParameter = 87;
inline constexpr long kRegistryMoreData = 234;
inline constexpr long kRegistryNoMoreItems = 259;

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// Longest subkey name that an enumeration delivers (characters).
inline constexpr std::size_t kRegistryNameChars = 256;

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  // Opens an existing key with read and write access.
  virtual long OpenKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) = 0;
  // Creates the key (non-volatile, full access) or opens it when it exists.
  virtual long CreateKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) = 0;
  virtual long CloseKey(RegistryHandle key) = 0;
  // Name of subkey number `index`; kRegistryNoMoreItems past the last.
  virtual long EnumKey(RegistryHandle key, std::uint32_t index, std::string* name) = 0;
  // Type and data of a value. `data` receives at most `capacity` bytes
  // (kRegistryMoreData when the data is longer); strings arrive with their
  // terminating zero. A null `data` asks for the type only.
  virtual long QueryValue(RegistryHandle key, const std::string& name, std::uint32_t* type, std::string* data,
                          std::size_t capacity) = 0;
  // Writes a value; string data is given with its terminating zero.
  virtual long SetValue(RegistryHandle key, const std::string& name, std::uint32_t type,
                        const std::string& data) = 0;
  virtual long FlushKey(RegistryHandle key) = 0;
  // Deletes a key that has no subkeys (kRegistryAccessDenied when it has).
  virtual long DeleteKey(RegistryHandle parent, const std::string& path) = 0;
  // Deletes a key with all its subkeys and values.
  virtual long DeleteTree(RegistryHandle parent, const std::string& path) = 0;
  virtual long DeleteValue(RegistryHandle key, const std::string& name) = 0;
};
