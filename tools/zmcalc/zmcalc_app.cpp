#include "tools/zmcalc/zmcalc_app.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "assistant/config/column_reference.h"
#include "assistant/engine/engine.h"
#include "assistant/texts/text_tables.h"
#include "base/code_page.h"
#include "base/format_text.h"
#include "tools/zmcalc/zmcalc_row.h"

namespace {

constexpr const char* kUsage =
    "usage: zmcalc [--lib FILE|none] [--factor F] [--density D] [--lookup N] [--lang CP] [--] SPEC...\n"
    "       zmcalc --check FILE [--lang CP]\n"
    "       zmcalc --row N [--style 0|1] [--ini FILE] [--lib FILE|none] [--factor F] [--density D] [--] "
    "SPEC\n";

struct ZmcalcOptions {
  std::optional<std::string> library;  // UTF-8 path, or "none"
  std::optional<std::string> checkFile;
  float factor = 1.0f;
  float density = 7850.0f;
  bool factorGiven = false;
  bool densityGiven = false;
  std::optional<int> row;
  std::optional<int> style;
  std::optional<std::string> ini;
  int lookupMode = 0;
  unsigned language = kCodePageUsAscii;
  std::vector<std::string> specs;  // UTF-8
};

// Collects the loader's messages, converted to UTF-8.
class CCollectingMessages : public MessagePort {
 public:
  explicit CCollectingMessages(std::string& sink) : m_sink(sink) {}
  void ShowError(std::string_view text, unsigned codePage) override {
    m_sink += ConvertCodePage(text, codePage, kCodePageUtf8) + "\n";
  }

 private:
  std::string& m_sink;
};

template <typename Number>
std::optional<Number> ReadWholeNumber(const std::string& text) {
  Number value{};
  const char* end = text.data() + text.size();
  std::from_chars_result read = std::from_chars(text.data(), end, value);
  if (read.ec != std::errc() || read.ptr != end) return std::nullopt;
  return value;
}

std::optional<float> ReadSetting(const std::string& text) {
  std::optional<float> value = ReadWholeNumber<float>(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

// Returns an error text, empty when the arguments are usable.
std::string ParseOptions(const std::vector<std::string>& args, ZmcalcOptions& options) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      options.specs.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg != "--lib" && arg != "--factor" && arg != "--density" && arg != "--lookup" && arg != "--lang" &&
        arg != "--check" && arg != "--row" && arg != "--style" && arg != "--ini") {
      return "unknown option " + arg + " (a specification that begins with '-' goes after --)";
    }
    if (i + 1 >= args.size()) return arg + " needs a value";
    const std::string& value = args[++i];
    if (arg == "--lib") {
      options.library = value;
    } else if (arg == "--check") {
      options.checkFile = value;
    } else if (arg == "--ini") {
      options.ini = value;
    } else if (arg == "--row") {
      std::optional<int> row = ReadWholeNumber<int>(value);
      if (!row || *row < 1 || *row > kSheetRows)
        return "--row takes a sheet row from 1 to 65536, not " + value;
      options.row = row;
    } else if (arg == "--style") {
      if (value != "0" && value != "1") return "--style takes 0 or 1, not " + value;
      options.style = value == "1" ? 1 : 0;
    } else if (arg == "--factor" || arg == "--density") {
      std::optional<float> number = ReadSetting(value);
      if (!number) return arg + " takes a number, not " + value;
      (arg == "--factor" ? options.factor : options.density) = *number;
      (arg == "--factor" ? options.factorGiven : options.densityGiven) = true;
    } else if (arg == "--lookup") {
      std::optional<int> mode = ReadWholeNumber<int>(value);
      if (!mode) return "--lookup takes a whole number, not " + value;
      options.lookupMode = *mode;
    } else {
      std::optional<unsigned> codePage = ReadWholeNumber<unsigned>(value);
      if (!codePage) return "--lang takes a code page number, not " + value;
      options.language = *codePage;
    }
  }
  if (options.checkFile && !options.specs.empty()) return "--check takes no specifications";
  if (!options.checkFile && options.specs.empty()) return "no specification given";
  if (options.row && (options.checkFile || options.specs.size() != 1)) return "--row takes one specification";
  if (!options.row && (options.style || options.ini)) return "--style and --ini go with --row";
  return {};
}

std::filesystem::path PathFromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

int CheckLibrary(const ZmcalcOptions& options, ZmcalcOutput& output) {
  MaterialLibrary library;
  CCollectingMessages messages(output.err);
  if (LoadMaterialLibrary(library, PathFromUtf8(*options.checkFile), messages) != ST_OK) {
    return kZmcalcSomeFailed;
  }
  output.out += FormatText("OK: %d rows, %d formulas\n", static_cast<int>(library.rows.size()),
                           static_cast<int>(library.formulas.size()));
  return kZmcalcAllComputed;
}

std::string FormatWeightLine(const std::string& spec, int status, double weight) {
  if (status != ST_OK) return spec + "\tFAIL\n";
  return spec + FormatText("\t%.6f\n", weight);
}

// The library of --lib, or the one beside the program; none with "none".
bool LoadLibrary(const ZmcalcOptions& options, const std::filesystem::path& programFolder,
                 MaterialLibrary& library, ZmcalcOutput& output) {
  if (options.library == "none") return true;
  std::filesystem::path file = options.library ? PathFromUtf8(*options.library) : programFolder / "ZMLib.txt";
  CCollectingMessages messages(output.err);
  return LoadMaterialLibrary(library, file, messages) == ST_OK;
}

int CalculateRow(const ZmcalcOptions& options, const std::filesystem::path& programFolder,
                 ZmcalcOutput& output) {
  MaterialLibrary library;
  if (!LoadLibrary(options, programFolder, library, output)) return kZmcalcUsageOrLibrary;
  ZmcalcRowRequest request;
  request.row = *options.row;
  request.style = options.style;
  request.ini = options.ini;
  if (options.factorGiven) request.factor = options.factor;
  if (options.densityGiven) request.density = options.density;
  request.spec = options.specs.front();
  return RunRowCalculation(request, library, output);
}

int ComputeSpecs(const ZmcalcOptions& options, const std::filesystem::path& programFolder,
                 ZmcalcOutput& output) {
  MaterialLibrary library;
  if (!LoadLibrary(options, programFolder, library, output)) return kZmcalcUsageOrLibrary;
  int exitStatus = kZmcalcAllComputed;
  for (const std::string& spec : options.specs) {
    std::string working = ConvertCodePage(spec, kCodePageUtf8, kCodePageGbk);
    double weight = 0;
    int status =
        ComputeUnitWeight(library, working, weight, options.lookupMode, options.factor, options.density);
    if (status != ST_OK) exitStatus = kZmcalcSomeFailed;
    output.out += FormatWeightLine(spec, status, weight);
  }
  return exitStatus;
}

}  // namespace

int RunZmcalc(const std::vector<std::string>& args, const std::filesystem::path& programFolder,
              ZmcalcOutput& output) {
  ZmcalcOptions options;
  std::string error = ParseOptions(args, options);
  if (!error.empty()) {
    output.err += "zmcalc: " + error + "\n" + kUsage;
    return kZmcalcUsageOrLibrary;
  }
  SelectTextTable(options.language);
  if (options.checkFile) return CheckLibrary(options, output);
  return options.row ? CalculateRow(options, programFolder, output)
                     : ComputeSpecs(options, programFolder, output);
}
