#include "tools/zmcalc/zmcalc_app.h"

#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace {

const char* kLibrary = "[FORMULA START]\r\nGXH*B GX H*B*7850*1E-6\r\n[FORMULA END]\r\nL20X3 0.889\r\n";

struct ZmcalcRun {
  int status;
  ZmcalcOutput output;
};

ZmcalcRun RunWith(const std::vector<std::string>& args, const std::filesystem::path& folder = {}) {
  ZmcalcRun run{};
  run.status = RunZmcalc(args, folder, run.output);
  return run;
}

}  // namespace

TEST(Zmcalc, PrintsOneLinePerSpecification) {
  ZmcalcRun run = RunWith({"--lib", "none", "--", "-120*6", "D60*3", "φ20", "L20X3"});
  EXPECT_EQ(run.status, kZmcalcSomeFailed);
  EXPECT_EQ(run.output.out, "-120*6\t5.652000\nD60*3\t4.214979\nφ20\t2.466150\nL20X3\tFAIL\n");
  EXPECT_EQ(run.output.err, "");

  run = RunWith({"--lib", "none", "--factor", "2", "--density", "7800", "--", "-100*10"});
  EXPECT_EQ(run.status, kZmcalcAllComputed);
  EXPECT_EQ(run.output.out, "-100*10\t15.600000\n");
}

TEST(Zmcalc, LoadsTheLibraryBesideTheProgram) {
  CTempFolder folder;
  folder.WriteFile("ZMLib.txt", kLibrary);
  ZmcalcRun run = RunWith({"l20x3", "GX50*40"}, folder.Path());
  EXPECT_EQ(run.status, kZmcalcAllComputed);
  EXPECT_EQ(run.output.out, "l20x3\t0.889000\nGX50*40\t15.700000\n");

  run = RunWith({"--lookup", "1", "l20x3"}, folder.Path());
  EXPECT_EQ(run.output.out, "l20x3\tFAIL\n");
}

TEST(Zmcalc, ChecksALibraryFile) {
  CTempFolder folder;
  std::filesystem::path good = folder.WriteFile("good.txt", kLibrary);
  ZmcalcRun run = RunWith({"--check", good.string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output.out, "OK: 1 rows, 1 formulas\n");

  std::filesystem::path bad = folder.WriteFile("bad.txt", "// x\nL20X3\n");
  run = RunWith({"--check", bad.string(), "--lang", "936"});
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.output.out, "");
  EXPECT_EQ(run.output.err, "材料公式定义有错误!\n错误位于第2行\n");
}

TEST(Zmcalc, UsageErrorsAndMissingLibrariesExitWithTwo) {
  const std::vector<std::vector<std::string>> usageErrors = {
      {},
      {"-120*6"},
      {"--factor"},
      {"--factor", "abc", "D60*3"},
      {"--density", "inf", "D60*3"},
      {"--lookup", "1.5", "D60*3"},
      {"--lang", "chs", "D60*3"},
      {"--check", "x", "D60*3"},
  };
  for (const auto& args : usageErrors) {
    ZmcalcRun run = RunWith(args);
    EXPECT_EQ(run.status, kZmcalcUsageOrLibrary) << (args.empty() ? "" : args[0]);
    EXPECT_NE(run.output.err.find("usage:"), std::string::npos);
  }

  CTempFolder empty;
  ZmcalcRun run = RunWith({"D60*3"}, empty.Path());
  EXPECT_EQ(run.status, kZmcalcUsageOrLibrary);
  EXPECT_EQ(run.output.out, "");
  EXPECT_NE(run.output.err.find("Read file"), std::string::npos);
}
