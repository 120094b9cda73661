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

// An IDispatch (one reference, for the caller) that calls `object` by the
// same dispatch ids; the object's errors become DISP_E_EXCEPTION with their
// description. The same object gives the same IDispatch while it lives; an
// object of WrapDispatch gives its own IDispatch back.
IDispatch* ExposeAsDispatch(const AutomationObjectPtr& object);

// VARIANT conversions; `variant` must be initialised and receives a value
// that its owner clears. An unsupported VARIANT raises a type mismatch.
AutomationValue AutomationValueFromVariant(const VARIANT& variant);
void AutomationValueToVariant(const AutomationValue& value, VARIANT& variant);

// How many calls the objects of WrapDispatch have made, and how many of
// their releases let go of an object's last reference (for a proxy, a
// release call to its server), for measurements.
long ComInvokeCount();
long ComLastReleaseCount();

// How many IDispatch objects of ExposeAsDispatch are alive.
long ExposedDispatchCount();

// How many strong connections clients in other processes hold on objects of
// ExposeAsDispatch (counted through IExternalConnection): a server ends
// when this falls to 0.
long ExternalConnectionCount();

// Called after every call that an object of ExposeAsDispatch answered; a
// server keeps its windows and registrations up to date from here.
using ExposedCallObserver = void (*)(int dispatchId, InvokeKind kind, std::span<const AutomationValue> args,
                                     const AutomationValue& result);
void SetExposedCallObserver(ExposedCallObserver observer);
// Called before every such call; returns the dispatch id to call instead of
// `dispatchId` (a server's other ids for the same member).
using ExposedCallFilter = int (*)(int dispatchId, InvokeKind kind, std::span<const AutomationValue> args);
void SetExposedCallFilter(ExposedCallFilter filter);
// Turns the dispatch id found for a name into the one to answer.
using ExposedNameFilter = int (*)(int dispatchId);
void SetExposedNameFilter(ExposedNameFilter filter);

// The connection-point container of `object` when it is a worksheet of the
// in-memory workbook (null otherwise), a tear-off of `owner`, its IDispatch.
// Its one point, the worksheet events, advises the sheet of any sink that
// answers the events dispinterface or IDispatch.
IConnectionPointContainer* MakeWorksheetEventsContainer(const AutomationObjectPtr& object, IDispatch* owner);
