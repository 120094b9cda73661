#include "tools/zmcalc/zmcalc_row.h"

#include <vector>

#include "assistant/common/format_text.h"
#include "assistant/common/status.h"
#include "assistant/config/bom_style.h"
#include "assistant/config/column_reference.h"
#include "assistant/engine/bom_row.h"
#include "assistant/excel/automation_error.h"
#include "assistant/excel/excel_dispatch.h"
#include "assistant/excel/model_objects.h"
#include "winfx/code_page.h"

namespace {

// Keeps the blocks of the sheet's change events, in order.
class CChangeRecorder : public AutomationObject {
 public:
  AutomationValue Invoke(int dispatchId, InvokeKind, std::span<const AutomationValue> args) override {
    if (dispatchId == dispid::kChange && !args.empty()) {
      if (std::optional<CellRect> block = ModelBlockOf(AutomationObjectOf(args[0])))
        changes.push_back(*block);
    }
    return {};
  }
  std::optional<int> DispatchIdOfName(std::u16string_view) override { return std::nullopt; }

  std::vector<CellRect> changes;
};

AssistantSettings SettingsOf(const ZmcalcRowRequest& request) {
  AssistantSettings settings;
  if (request.ini) {
    LoadSettingsFile(std::filesystem::path(std::u8string(request.ini->begin(), request.ini->end())),
                     settings);
  } else {
    LoadSettingsFile({}, settings);  // parses the default texts
  }
  if (request.style) settings.style = *request.style;
  if (request.factor) settings.factor = *request.factor;
  if (request.density) settings.density = *request.density;
  return settings;
}

}  // namespace

int RunRowCalculation(const ZmcalcRowRequest& request, const MaterialLibrary& library, ZmcalcOutput& output) {
  AssistantSettings settings = SettingsOf(request);
  CurrentLayout layout;
  SelectBomStyle(settings, settings.style, layout);

  std::shared_ptr<CWorkbookModel> model = CWorkbookModel::Create();
  model->AddWorkbook(std::nullopt);
  std::shared_ptr<CModelSheet> sheet = model->ActiveSheet();
  auto recorder = std::make_shared<CChangeRecorder>();
  int status = ST_FAIL;
  try {
    sheet->SetValue(CellRect::Cell(request.row, layout.material.number),
                    DecodeFromCodePage(request.spec, kCodePageUtf8));
    sheet->Advise(recorder);
    status =
        CalculateBomRow(ExcelDispatch(MakeWorksheetObject(sheet)), request.row, library, layout, settings);
  } catch (const CAutomationError& error) {
    output.err += std::string("zmcalc: ") + error.what() + "\n";
    return kZmcalcUsageOrLibrary;
  }
  if (status == ST_OK) {
    for (const CellRect& cell : recorder->changes) {
      output.out += ColumnLetters(cell.left) + FormatText("%d ", cell.top) +
                    EncodeToCodePage(sheet->CellFormula(cell.top, cell.left), kCodePageUtf8) + "\n";
    }
  } else {
    output.out += "FAIL\n";
  }
  output.out += FormatText("COLOR %d\n", sheet->FontColor(request.row, layout.material.number));
  return status == ST_OK ? kZmcalcAllComputed : kZmcalcSomeFailed;
}
