#include "setup/engine/setup_state.h"

#include <algorithm>
#include <cstring>

#include "base/code_page.h"
#include "setup/engine/setup_text_tables.h"

namespace {

constexpr int kAgreementChs = 142;
constexpr int kAgreementEng = 143;
constexpr int kAgreementCht = 144;
constexpr unsigned kCodePageWestern = 1252;
constexpr int kFirstLinkNameText = 11;

std::array<const char*, 100> EmptyTexts() {
  std::array<const char*, 100> texts{};
  texts.fill("");
  return texts;
}

// The help target (row 2) is set when the shortcuts are made.
std::array<ShortcutRow, kSetupShortcutCount> InitialShortcuts() {
  std::array<ShortcutRow, kSetupShortcutCount> rows{};
  CopyToSlot(rows[0].target, "Ostrevia.exe");
  CopyToSlot(rows[2].target, "ZMConfig.exe");
  CopyToSlot(rows[3].target, "uninstall.exe");
  return rows;
}

}  // namespace

int g_codePage = 950;
std::array<const char*, 100> g_text = EmptyTexts();
int g_agreementId = kAgreementCht;
std::string g_caption = "Install";
std::string g_installDir;
CTextFile g_uninstallLog;
std::array<ShortcutRow, kSetupShortcutCount> g_shortcuts = InitialShortcuts();
unsigned g_ansiCodePage = kCodePageWestern;

void SetLanguage(int codePage) {
  g_codePage = codePage;
  const SetupTextTable* table = &kSetupTextEng;
  g_agreementId = kAgreementEng;
  if (codePage == 936) {
    table = &kSetupTextChs;
    g_agreementId = kAgreementChs;
  } else if (codePage == 950) {
    table = &kSetupTextCht;
    g_agreementId = kAgreementCht;
  }
  for (int slot = 0; slot < kSetupTextSlots; ++slot) g_text[slot] = (*table)[slot].data();
  for (int row = 0; row < kSetupShortcutCount; ++row) {
    CopyToSlot(g_shortcuts[row].linkName, g_text[kFirstLinkNameText + row]);
  }
}

unsigned SetupCodePage() {
  if (g_codePage == 936 || g_codePage == 950) return static_cast<unsigned>(g_codePage);
  return kCodePageWestern;
}

std::string SetupTextAsPath(const char* text) {
  return ConvertCodePage(text, SetupCodePage(), kSetupPathCodePage);
}

void CopyToSlot(TextSlot& slot, const char* text) {
  std::size_t length = std::min(std::strlen(text), slot.size() - 1);
  std::memcpy(slot.data(), text, length);
  slot[length] = '\0';
}
