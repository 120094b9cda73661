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

TEST(Zmcalc, RowPrintsTheFormulasWrittenIntoTheRow) {
  const struct {
    std::vector<std::string> args;
    int status;
    const char* out;
  } cases[] = {
      {{"--row", "5", "--lib", "none", "H300*200*6*8"},
       0,
       "F5 =C5*38.500000/1000\nG5 =(D5+E5)*F5\nCOLOR 0\n"},
      {{"--row", "5", "--style", "0", "--lib", "none", "--", "-120*6"},
       0,
       "E5 =C5*5.650000/1000\nF5 =D5*E5\nCOLOR 0\n"},
      {{"--row", "12", "--factor", "2", "--lib", "none", "--", "-120*6"},
       0,
       "F12 =C12*11.300000/1000\nG12 =(D12+E12)*F12\nCOLOR 0\n"},
      {{"--row", "3", "--lib", "none", " %%c60*3 "}, 0, "F3 =C3*4.210000/1000\nG3 =(D3+E3)*F3\nCOLOR 0\n"},
      {{"--row", "3", "--lib", "none", "L20X3"}, 1, "FAIL\nCOLOR 255\n"},
  };
  for (const auto& entry : cases) {
    ZmcalcRun run = RunWith(entry.args);
    EXPECT_EQ(run.status, entry.status) << entry.args.back();
    EXPECT_EQ(run.output.out, entry.out) << entry.args.back();
  }
}

TEST(Zmcalc, RowTakesTheLayoutFromASettingsFile) {
  CTempFolder folder;
  folder.WriteFile("ZMLib.txt", kLibrary);
  std::filesystem::path ini = folder.WriteFile(
      "layout.ini",
      "Density=7850\r\nFactor=1\r\nCaseSensitive=1\r\nLanguage=437\r\nHeadRows_0=1\r\n"
      "MaterialCol_0=B\r\nLenghtCol_0=C\r\nZNumerCol_0=D\r\nFNumerCol_0=0\r\nSWeightCol_0=0\r\n"
      "WeightCol_0=F\r\nStyle=0\r\n");
  ZmcalcRun run = RunWith({"--row", "4", "--ini", ini.string(), "L20X3"}, folder.Path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output.out, "F4 =D4*C4*0.890000/1000\nCOLOR 0\n");
  // CaseSensitive=1: the library row is matched exactly.
  run = RunWith({"--row", "4", "--ini", ini.string(), "l20x3"}, folder.Path());
  EXPECT_EQ(run.output.out, "FAIL\nCOLOR 255\n");

  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--row", "0", "D60*3"},
                                             {"--row", "65537", "D60*3"},
                                             {"--row", "5", "D60*3", "D50*3"},
                                             {"--row", "5", "--style", "2", "D60*3"},
                                             {"--style", "1", "D60*3"}}) {
    EXPECT_EQ(RunWith(args, folder.Path()).status, kZmcalcUsageOrLibrary) << args[1];
  }
}
