#pragma once

// Passes every call on to another automation object and counts it by
// dispatch id; the objects it hands out count into the same tally, so a
// whole walk through a sheet is counted.

#include <map>
#include <memory>

#include "assistant/excel/automation_object.h"

class CCountingAutomationObject : public AutomationObject {
 public:
  using Tally = std::map<int, int>;

  CCountingAutomationObject(AutomationObjectPtr inner, std::shared_ptr<Tally> tally)
      : m_inner(std::move(inner)), m_tally(std::move(tally)) {}

  AutomationValue Invoke(int dispatchId, InvokeKind kind, std::span<const AutomationValue> args) override {
    ++(*m_tally)[dispatchId];
    AutomationValue result = m_inner->Invoke(dispatchId, kind, args);
    if (const auto* object = std::get_if<AutomationObjectPtr>(&result); object && *object)
      return std::make_shared<CCountingAutomationObject>(*object, m_tally);
    return result;
  }
  std::optional<int> DispatchIdOfName(std::u16string_view name) override {
    return m_inner->DispatchIdOfName(name);
  }

 private:
  AutomationObjectPtr m_inner;
  std::shared_ptr<Tally> m_tally;
};
