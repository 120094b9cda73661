#pragma once

// A worksheet event sink that keeps every event: its dispatch id and the
// block of its target range.

#include <functional>
#include <vector>

#include "tests/standins/workbook/model_objects.h"

class CRecordingAutomationSink : public AutomationObject {
 public:
  struct Event {
    int dispatchId;
    CellRect target;
  };

  AutomationValue Invoke(int dispatchId, InvokeKind, std::span<const AutomationValue> args) override {
    AutomationObjectPtr target = args.empty() ? nullptr : AutomationObjectOf(args[0]);
    events.push_back({dispatchId, ModelBlockOf(target).value_or(CellRect{0, 0, 0, 0})});
    if (onEvent) onEvent(dispatchId, target);
    return {};
  }
  std::optional<int> DispatchIdOfName(std::u16string_view) override { return std::nullopt; }

  std::vector<Event> events;
  // Runs inside the event, as a handler of the assistant would.
  std::function<void(int, const AutomationObjectPtr&)> onEvent;
};
