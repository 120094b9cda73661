#include "tests/unit/fakes/fake_excel_discovery.h"

#include "tests/standins/workbook/model_objects.h"

namespace {

class CFakeMoniker : public RunningMoniker {
 public:
  explicit CFakeMoniker(CFakeExcelDiscovery::RunningEntry entry) : m_entry(std::move(entry)) {}
  std::u16string DisplayName() override { return m_entry.displayName; }
  AutomationObjectPtr BindToObject() override { return m_entry.object; }

 private:
  CFakeExcelDiscovery::RunningEntry m_entry;
};

// Advises the sheet of the in-memory workbook directly.
class CFakeConnectionPoint : public ConnectionPoint {
 public:
  CFakeConnectionPoint(std::shared_ptr<CModelSheet> sheet, CFakeExcelDiscovery& owner)
      : m_sheet(std::move(sheet)), m_owner(owner) {}

  bool Advise(const AutomationObjectPtr& sink, std::uint32_t& cookie) override {
    if (m_owner.refuseAdvise) return false;
    cookie = static_cast<std::uint32_t>(m_sheet->Advise(sink));
    return true;
  }
  bool Unadvise(std::uint32_t cookie) override {
    ++m_owner.unadviseCount;
    return m_sheet->Unadvise(static_cast<int>(cookie));
  }

 private:
  std::shared_ptr<CModelSheet> m_sheet;
  CFakeExcelDiscovery& m_owner;
};

}  // namespace

AutomationObjectPtr CFakeExcelDiscovery::GetActiveObject(std::u16string_view progId) {
  ++activeLookups;
  if (progId != kExcelProgId || activeLookups <= failingLookups) return nullptr;
  return activeObject;
}

AutomationObjectPtr CFakeExcelDiscovery::CreateObject(std::u16string_view progId) {
  if (progId != kExcelProgId || !create) return nullptr;
  return create();
}

bool CFakeExcelDiscovery::EnumRunningObjects(std::vector<std::unique_ptr<RunningMoniker>>& monikers) {
  if (tableFails) return false;
  for (const RunningEntry& entry : runningObjects) monikers.push_back(std::make_unique<CFakeMoniker>(entry));
  return true;
}

std::unique_ptr<ConnectionPoint> CFakeExcelDiscovery::FindWorksheetEvents(const AutomationObjectPtr& object) {
  std::shared_ptr<CModelSheet> sheet = ModelSheetOf(object);
  if (!sheet || ModelBlockOf(object)) return nullptr;  // worksheets only
  return std::make_unique<CFakeConnectionPoint>(sheet, *this);
}

WindowHandle CFakeExcelDiscovery::FindTopLevelWindow(std::u16string_view title) {
  auto found = windows.find(std::u16string(title));
  return found == windows.end() ? 0 : found->second;
}
