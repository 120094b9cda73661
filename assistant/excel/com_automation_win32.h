#pragma once

// The automation port over COM (Windows build only): spreadsheet objects
// reached through IDispatch, and automation objects shown as IDispatch.

#include <oaidl.h>
#include <windows.h>

#include "assistant/excel/automation_object.h"

// The port over `dispatch`, taking over one reference (null gives null).
AutomationObjectPtr WrapDispatch(IDispatch* dispatch);

// The IDispatch under an object of WrapDispatch, with a new reference; null
// for any other object.
IDispatch* DispatchOfWrapped(const AutomationObjectPtr& object);

// A new IDispatch (one reference, for the caller) that calls `object` by the
// same dispatch ids; the object's errors become DISP_E_EXCEPTION with their
// description. An object of WrapDispatch gives its own IDispatch back.
IDispatch* ExposeAsDispatch(const AutomationObjectPtr& object);

// VARIANT conversions; `variant` must be initialised and receives a value
// that its owner clears. An unsupported VARIANT raises a type mismatch.
AutomationValue AutomationValueFromVariant(const VARIANT& variant);
void AutomationValueToVariant(const AutomationValue& value, VARIANT& variant);

// How many IDispatch objects of ExposeAsDispatch are alive.
long ExposedDispatchCount();
