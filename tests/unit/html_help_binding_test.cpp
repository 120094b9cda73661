#include "assistant/ui/html_help_binding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/fakes/fake_html_help.h"

namespace {

using Steps = std::vector<std::string>;

const std::string kReadKey = "registry CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
const std::u16string kServerPath = u"C:\\windows\\system32\\hhctrl.ocx";
constexpr LibraryHandle kLibrary = 0x4000;
constexpr EntryAddress kEntry = 0x4010;
const std::string kCallEntry = "call " + std::to_string(kEntry);

}  // namespace

TEST(HtmlHelpBinding, TriesTheRegisteredLibraryThenTheName) {
  struct Case {
    const char* name;
    bool registered;
    bool registeredLoads;
    bool nameLoads;
    Steps steps;
  };
  const std::string openServer = "open C:\\windows\\system32\\hhctrl.ocx";
  const std::vector<Case> cases = {
      {"registered and loadable", true, true, true, {kReadKey, openServer, "export 14", kCallEntry}},
      {"not registered", false, false, true, {kReadKey, "open hhctrl.ocx", "export 14", kCallEntry}},
      {"registered path not loadable",
       true,
       false,
       true,
       {kReadKey, openServer, "open hhctrl.ocx", "export 14", kCallEntry}},
      {"nothing loadable", true, false, false, {kReadKey, openServer, "open hhctrl.ocx"}},
  };
  for (const Case& c : cases) {
    CFakeHtmlHelpPlatform platform;
    if (c.registered) platform.registeredServer = kServerPath;
    if (c.registeredLoads) platform.InstallControl(kServerPath, kLibrary, kEntry);
    if (c.nameLoads) platform.InstallControl(u"hhctrl.ocx", kLibrary, kEntry);
    platform.viewer = 0x77;
    HtmlHelpBinding binding(platform);

    WindowHandle viewer = binding.Call(0x10, "C:\\help\\a.chm", 0x0F, 5);

    EXPECT_EQ(platform.steps, c.steps) << c.name;
    EXPECT_EQ(viewer, c.nameLoads ? 0x77u : 0u) << c.name;
    EXPECT_EQ(binding.HasFailed(), !c.nameLoads) << c.name;
  }
}

TEST(HtmlHelpBinding, PassesTheArgumentsAndBindsOnlyOnce) {
  CFakeHtmlHelpPlatform platform;
  platform.InstallControl(u"hhctrl.ocx", kLibrary, kEntry);
  HtmlHelpBinding binding(platform);

  // A help file that does not open gives no window but keeps the binding.
  EXPECT_EQ(binding.Call(0x10, "C:\\help\\missing.chm", 0x0F, 5), 0u);
  platform.viewer = 0x99;
  EXPECT_EQ(binding.Call(0, "C:\\help\\a.chm", 0x0F, 5), 0x99u);

  EXPECT_EQ(platform.steps, (Steps{kReadKey, "open hhctrl.ocx", "export 14", kCallEntry, kCallEntry}));
  ASSERT_EQ(platform.calls.size(), 2u);
  EXPECT_EQ(platform.calls[0].caller, 0x10u);
  EXPECT_EQ(platform.calls[0].path, "C:\\help\\missing.chm");
  EXPECT_EQ(platform.calls[0].command, 0x0Fu);
  EXPECT_EQ(platform.calls[0].data, 5u);
  EXPECT_EQ(platform.calls[1].caller, 0u);
  EXPECT_TRUE(binding.IsBound());
  EXPECT_FALSE(binding.HasFailed());
}

TEST(HtmlHelpBinding, AFailureIsFinal) {
  // No library at all, and a library without entry 14: after the first call
  // nothing is tried again, not even the registry.
  for (bool libraryLoads : {false, true}) {
    CFakeHtmlHelpPlatform platform;
    if (libraryLoads) platform.libraries[u"hhctrl.ocx"] = kLibrary;
    HtmlHelpBinding binding(platform);

    EXPECT_EQ(binding.Call(0, "C:\\help\\a.chm", 0x0F, 5), 0u);
    EXPECT_TRUE(binding.HasFailed());
    EXPECT_FALSE(binding.IsBound());
    Steps first =
        libraryLoads ? Steps{kReadKey, "open hhctrl.ocx", "export 14"} : Steps{kReadKey, "open hhctrl.ocx"};
    EXPECT_EQ(platform.steps, first) << libraryLoads;

    // The control appears later: it stays unused for the process.
    platform.InstallControl(u"hhctrl.ocx", kLibrary, kEntry);
    platform.registeredServer = kServerPath;
    platform.steps.clear();
    EXPECT_EQ(binding.Call(0, "C:\\help\\a.chm", 0x0F, 5), 0u);
    EXPECT_EQ(binding.Call(0, "C:\\help\\a.chm", 0x0F, 5), 0u);
    EXPECT_TRUE(platform.steps.empty()) << libraryLoads;
    EXPECT_TRUE(platform.calls.empty());
  }
}
