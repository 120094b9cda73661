#pragma once

// The platform services of the installation run besides files and the
// registry, as small ports: the Win32 adapters serve the program, fakes serve
// the tests. Paths and texts are UTF-8.

#include <string>
#include <string_view>

// Folders the system chooses. Each returns false when the folder cannot be
// determined.
class SystemFolders {
 public:
  virtual ~SystemFolders() = default;

  // A new folder of the caller's own in the temporary folder, made so that
  // only administrators and the system can write it; its path with a final
  // separator.
  virtual bool MakePrivateTempFolder(std::string* folder) = 0;
  // The Windows system folder.
  virtual bool GetSystemFolder(std::string* folder) = 0;
  // The current user's Programs folder of the Start menu (not created).
  virtual bool GetProgramsFolder(std::string* folder) = 0;
};

// The "FILE" resources of the program's own module.
class ResourceSource {
 public:
  virtual ~ResourceSource() = default;

  // The bytes of resource `id`; false when there is no such resource.
  virtual bool LoadFileResource(int id, std::string_view* bytes) = 0;
};

class ShellLinks {
 public:
  virtual ~ShellLinks() = default;

  // Creates or replaces the shortcut `linkPath` to `target`; false when the
  // shell link object is not available.
  virtual bool CreateShellLink(const std::string& target, const std::string& linkPath) = 0;
};

// The controls of the progress page that the run drives.
class ProgressView {
 public:
  virtual ~ProgressView() = default;

  virtual void StopTimer() = 0;
  virtual void SetProgressRange(int low, int high) = 0;
  virtual void SetProgressPosition(int position) = 0;
  virtual void SetFileLabel(const std::string& text) = 0;
  // A plain message box: OK button, the application title, no icon. The
  // text is English.
  virtual void ShowPlainMessage(const std::string& text) = 0;
};

class Pacer {
 public:
  virtual ~Pacer() = default;

  virtual void Pause(int milliseconds) = 0;
};
