#pragma once

// A worksheet event sink that keeps every event: its dispatch id and the
// block of its target range (read through the port when the target is not
// a range of the in-memory workbook, as across COM).

#include <functional>
#include <vector>

#include "assistant/excel/excel_dispatch.h"
#include "tests/standins/workbook/model_objects.h"

class CRecordingAutomationSink : public AutomationObject {
 public:
  struct Event {
    int dispatchId;
    CellRect target;
  };

  AutomationValue Invoke(int dispatchId, InvokeKind, std::span<const AutomationValue> args) override {
    AutomationObjectPtr target = args.empty() ? nullptr : AutomationObjectOf(args[0]);
    events.push_back({dispatchId, BlockOf(target)});
    if (onEvent) onEvent(dispatchId, target);
    return {};
  }
  std::optional<int> DispatchIdOfName(std::u16string_view) override { return std::nullopt; }

  static CellRect BlockOf(const AutomationObjectPtr& target) {
    if (!target) return {0, 0, 0, 0};
    if (std::optional<CellRect> block = ModelBlockOf(target)) return *block;
    ExcelDispatch range(target);
    return CellRect::Cell(range.Row(), range.Column());
  }

  std::vector<Event> events;
  // Runs inside the event, as a handler of the assistant would.
  std::function<void(int, const AutomationObjectPtr&)> onEvent;
};
