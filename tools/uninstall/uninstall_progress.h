#pragma once

// What the uninstaller shows while it works: the stage, named by one of its
// message rows (kMsgRemovingFiles, kMsgRemovingKeys, kMsgWaiting), and the
// items of the stage done so far.

#include <string>

class UninstallProgress {
 public:
  virtual ~UninstallProgress() = default;

  // A stage of `total` items begins.
  virtual void BeginStage(int messageRow, int total) = 0;
  // One more item of the stage was removed or tried.
  virtual void ItemDone(const std::string& item) = 0;
};
