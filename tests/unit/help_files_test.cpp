// The compiled help files of the build, unpacked by Debian's 7-Zip: the
// language each is written for, the topic its context id 5 opens, and every
// page and picture its project names or its pages link to.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "tests/unit/test_support.h"

namespace {

namespace fs = std::filesystem;

struct HelpFile {
  const char* name;
  const char* project;  // under help/
  std::uint32_t language;
  const char* topicOfContext5;
  std::vector<std::string> languagesOfTopic;  // sections of the topic, when it holds several
};

const HelpFile kHelpFiles[] = {
    {"ZMEng.chm", "eng/ZMEng.hhp", 0x0409, "/main.htm", {}},
    {"ZMCHS.chm", "chs/ZMCHS.hhp", 0x0804, "/main.htm", {}},
    {"ZMCHT.chm", "cht/ZMCHT.hhp", 0x0404, "/main.htm", {}},
    {"zelmorant.chm", "settings/zelmorant.hhp", 0x0804, "/settings.htm", {"chs", "cht", "eng"}},
};

constexpr std::uint32_t kMainTopicContext = 5;
constexpr std::size_t kLanguageOffset = 0x14;  // in the file's header

std::uint32_t Dword(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

bool Unpack(const fs::path& file, const fs::path& folder) {
  std::string command = "7z x -y '-o" + folder.string() + "' '" + file.string() + "' >/dev/null";
  return std::system(command.c_str()) == 0;
}

// The topic that a context id opens: the context table "#IVB" holds its
// size, then pairs of id and offset into the string table "#STRINGS".
std::string TopicOfContext(const fs::path& unpacked, std::uint32_t id) {
  std::string table = ReadBytes(unpacked / "#IVB");
  std::string strings = ReadBytes(unpacked / "#STRINGS");
  for (std::size_t at = 4; at + 8 <= table.size(); at += 8) {
    std::uint32_t offset = Dword(table, at + 4);
    if (Dword(table, at) == id && offset < strings.size()) return std::string(strings.c_str() + offset);
  }
  return "";
}

// The names of the [FILES] section of a help project.
std::vector<std::string> ProjectFiles(const fs::path& project) {
  std::ifstream in(project);
  std::vector<std::string> files;
  bool inFiles = false;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with('[')) {
      inFiles = line == "[FILES]";
    } else if (inFiles && !line.empty()) {
      files.push_back(line);
    }
  }
  return files;
}

// Every link and picture of the unpacked pages that names no unpacked file,
// as "page: target".
std::vector<std::string> BrokenLinks(const fs::path& unpacked) {
  static const std::regex kLink(R"((?:href|src)="([^"#:]+))");
  std::vector<std::string> broken;
  for (const auto& entry : fs::recursive_directory_iterator(unpacked)) {
    if (entry.path().extension() != ".htm") continue;
    std::string page = ReadBytes(entry.path());
    for (std::sregex_iterator link(page.begin(), page.end(), kLink), end; link != end; ++link) {
      std::string target = (*link)[1];
      if (!fs::is_regular_file(entry.path().parent_path() / target)) {
        broken.push_back(entry.path().filename().string() + ": " + target);
      }
    }
  }
  return broken;
}

TEST(HelpFiles, EachOpensItsTopicAtContext5AndHoldsEveryPageAndPicture) {
  for (const HelpFile& help : kHelpFiles) {
    SCOPED_TRACE(help.name);
    const fs::path file = fs::path(ZM_HELP_BUILD_DIR) / help.name;
    std::string bytes = ReadBytes(file);
    ASSERT_EQ(bytes.substr(0, 4), "ITSF") << "not a compiled help file";
    EXPECT_EQ(Dword(bytes, kLanguageOffset), help.language);

    CTempFolder unpacked;
    ASSERT_TRUE(Unpack(file, unpacked.Path()));
    const std::string topic = TopicOfContext(unpacked.Path(), kMainTopicContext);
    EXPECT_EQ(topic, help.topicOfContext5);
    const fs::path topicFile = unpacked.Path() / fs::path(topic).relative_path();
    EXPECT_TRUE(fs::is_regular_file(topicFile));
    for (const std::string& language : help.languagesOfTopic) {
      EXPECT_NE(ReadBytes(topicFile).find("<div id=\"" + language + "\">"), std::string::npos) << language;
    }

    for (const std::string& name : ProjectFiles(fs::path(ZM_HELP_SOURCE_DIR) / help.project)) {
      EXPECT_TRUE(fs::is_regular_file(unpacked.Path() / name)) << name;
    }
    EXPECT_EQ(BrokenLinks(unpacked.Path()), std::vector<std::string>{});
  }
}

// The plate advice in every language, and traditional Chinese as it is
// written in Taiwan and Hong Kong, phrase by phrase (視窗, not 窗口).
TEST(HelpFiles, PlatesAreTypedAsTextAndTraditionalChineseReadsAsInTaiwan) {
  for (const HelpFile& help : {kHelpFiles[0], kHelpFiles[1], kHelpFiles[2]}) {
    CTempFolder unpacked;
    ASSERT_TRUE(Unpack(fs::path(ZM_HELP_BUILD_DIR) / help.name, unpacked.Path()));
    for (const char* page : {"notation.htm", "trouble.htm"})
      EXPECT_NE(ReadBytes(unpacked.Path() / page).find("<code>'-120*6</code>"), std::string::npos) << page;
    const std::string main = ReadBytes(unpacked.Path() / "main.htm");
    if (help.language == 0x0404) {
      EXPECT_TRUE(main.find("視窗") != main.npos && main.find("窗口") == main.npos);
    }
  }
}

}  // namespace
