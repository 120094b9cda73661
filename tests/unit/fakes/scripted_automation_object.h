#pragma once

// An automation object that records each call and answers from a script: a
// result per dispatch id, or an error for chosen ids.

#include <map>
#include <vector>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/automation_object.h"

class CScriptedAutomationObject : public AutomationObject {
 public:
  struct Call {
    int dispatchId;
    InvokeKind kind;
    std::vector<AutomationValue> args;
  };

  AutomationValue Invoke(int dispatchId, InvokeKind kind, std::span<const AutomationValue> args) override {
    calls.push_back({dispatchId, kind, {args.begin(), args.end()}});
    auto error = errors.find(dispatchId);
    if (error != errors.end()) throw CAutomationError(error->second);
    auto result = results.find(dispatchId);
    return result == results.end() ? AutomationValue() : result->second;
  }

  std::optional<int> DispatchIdOfName(std::u16string_view name) override {
    auto found = names.find(std::u16string(name));
    if (found == names.end()) return std::nullopt;
    return found->second;
  }

  std::vector<Call> calls;
  std::map<int, AutomationValue> results;
  std::map<int, std::u16string> errors;
  std::map<std::u16string, int> names;
};
