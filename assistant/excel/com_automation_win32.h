#pragma once

// The automation port over COM (Windows build only): spreadsheet objects
// reached through IDispatch, and automation objects shown as IDispatch.

#include <oaidl.h>
#include <ocidl.h>
#include <windows.h>

#include <span>

#include "assistant/excel/automation_object.h"

// The worksheet events dispinterface.
inline constexpr GUID kWorksheetEventsIid = {
    0x00024411, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The port over `dispatch`, taking over one reference (null gives null).
AutomationObjectPtr WrapDispatch(IDispatch* dispatch);

// The IDispatch under an object of WrapDispatch, with a new reference; null
// for any other object.
IDispatch* DispatchOfWrapped(const AutomationObjectPtr& object);

// How an object of this process that is no wrapped COM object goes out in a
// call or a result: a server exposes its own objects (and installs how); a
// client has none to pass.
using ObjectExposer = IDispatch* (*)(const AutomationObjectPtr& object);
void SetObjectExposer(ObjectExposer expose);

// VARIANT conversions; `variant` must be initialised and receives a value
// that its owner clears. An unsupported VARIANT, or an object that is
// neither wrapped nor exposed, raises a type mismatch.
AutomationValue AutomationValueFromVariant(const VARIANT& variant);
void AutomationValueToVariant(const AutomationValue& value, VARIANT& variant);

// How many calls the objects of WrapDispatch have made, and how many of
// their releases let go of an object's last reference (for a proxy, a
// release call to its server), for measurements.
long ComInvokeCount();
long ComLastReleaseCount();
