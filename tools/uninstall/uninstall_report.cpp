#include "tools/uninstall/uninstall_report.h"

namespace {

void AppendList(std::string& text, const std::vector<std::string>& items) {
  for (const std::string& item : items) text += "\n  " + item;
}

void AppendFailures(std::string& text, const UninstallReport& report, const CUninstallMessages& messages) {
  text += "Uninstall did not finish. These items could not be removed:";
  for (const std::string& item : report.failed) text += "\n  " + messages.Format(kMsgCannotProcess, item);
  if (!report.refused.empty()) {
    text += "\n\nThe uninstall log names these items outside the product's folders; they were left alone:";
    AppendList(text, report.refused);
  }
}

void AppendKeptFolders(std::string& text, const UninstallReport& report, const CUninstallMessages& messages) {
  if (report.keptFolders.empty()) return;
  text += "\n\n" + messages.Text(kMsgKeptFiles) + ".\nThese folders were kept because they hold them:";
  for (const KeptFolder& folder : report.keptFolders) {
    text += "\n  " + folder.path;
    for (const std::string& name : folder.contents) text += "\n    " + name;
  }
}

void AppendKeptKeys(std::string& text, const UninstallReport& report) {
  if (report.keptKeys.empty()) return;
  text += "\n\nThese registry keys were kept because they hold other keys:";
  AppendList(text, report.keptKeys);
}

void AppendRestart(std::string& text, const UninstallReport& report, const CUninstallMessages& messages) {
  for (const std::string& path : report.atRestart)
    text += "\n\n" + messages.Format(kMsgRemovedAfterRestart, path);
}

}  // namespace

std::string ComposeReportText(const UninstallReport& report, const CUninstallMessages& messages) {
  std::string text;
  if (report.Complete()) {
    text = messages.Text(kMsgSucceeded);
  } else {
    AppendFailures(text, report, messages);
  }
  AppendKeptFolders(text, report, messages);
  AppendKeptKeys(text, report);
  AppendRestart(text, report, messages);
  return text;
}
