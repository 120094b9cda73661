#pragma once

// What the uninstaller may remove, whatever the log says. The log is a plain
// text file in a folder the user can write to; a damaged or altered log must
// not reach anything but the product's own places:
//
// - files and folders in the install folder (the uninstaller's own folder,
//   not the log's idea of it), the folder itself included, unless that
//   folder is a drive root; the folders above it (not the drive root),
//   which the installer made for it, go only when empty;
// - files directly in the system folder whose names start with "ZM", the
//   prefix of every library the product puts there (never another name:
//   the folder holds Windows' own libraries);
// - the Start-menu group folder named after the product directly in a
//   Programs folder, and the shortcuts (".lnk") directly in it;
// - keys and values under HKEY_LOCAL_MACHINE at or below a key named after
//   the product (never that name as a top-level key), and the
//   "Applications" key of a CAD product ({release}\{product}\Applications
//   under SOFTWARE\Autodesk\AutoCAD), which the installer logs when it
//   made it and which goes only when it holds no other key.

#include <string>
#include <vector>

struct ProductPlaces {
  std::string installFolder;  // the uninstaller's folder
  std::string systemFolder;
  std::vector<std::string> programsFolders;  // the user's and all users'
};

class CRemovalPolicy {
 public:
  CRemovalPolicy(const ProductPlaces& places, std::string productName);

  bool MayRemoveFile(const std::string& path) const;
  bool MayRemoveFolder(const std::string& path) const;
  bool MayRemoveRegistryItem(int root, const std::string& path) const;
  // A key named after the product goes with all its subkeys: the installer
  // logs only such keys and creates their subkeys unlogged.
  bool OwnsKeyTree(const std::string& path) const;
  // The trusted folder that grants a file or folder this policy allows:
  // the install folder, the system folder or a Programs folder. Whatever
  // lies between that folder and the item is the log's to name, and may
  // have been replaced by a link since.
  std::string PlaceOf(const std::string& path) const;

  // A folder above the install folder: kept without a word when it holds
  // anything.
  bool IsAboveInstallFolder(const std::string& path) const;

 private:
  bool IsInInstallFolder(const std::string& path) const;
  bool IsSystemLibrary(const std::string& path) const;
  bool IsGroupFolder(std::string_view path) const;
  static bool IsCadApplicationsKey(const std::vector<std::string_view>& parts);

  std::string m_installFolder;  // empty when it grants nothing
  std::string m_systemFolder;
  std::vector<std::string> m_programsFolders;
  std::string m_productName;
};
