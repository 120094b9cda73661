#pragma once

// The stand-in's side of COM: objects of the in-memory workbook (or any
// automation object) served to other processes as IDispatch, with the
// worksheet events as a connection point.

#include <oaidl.h>
#include <ocidl.h>
#include <windows.h>

#include <span>

#include "assistant/excel/automation_object.h"

// An IDispatch (one reference, for the caller) that calls `object` by the
// same dispatch ids; the object's errors become DISP_E_EXCEPTION with their
// description. The same object gives the same IDispatch while it lives; an
// object of WrapDispatch gives its own IDispatch back.
IDispatch* ExposeAsDispatch(const AutomationObjectPtr& object);

// How many IDispatch objects of ExposeAsDispatch are alive.
long ExposedDispatchCount();

// How many strong connections clients in other processes hold on objects of
// ExposeAsDispatch (counted through IExternalConnection): a server ends
// when this falls to 0.
long ExternalConnectionCount();
// Those of them on the IDispatch of `object`.
long ExternalConnectionCountOf(const AutomationObjectPtr& object);

// Called after every call that an object of ExposeAsDispatch answered; a
// server keeps its windows and registrations up to date from here.
using ExposedCallObserver = void (*)(int dispatchId, InvokeKind kind, std::span<const AutomationValue> args,
                                     const AutomationValue& result);
void SetExposedCallObserver(ExposedCallObserver observer);
// Called before every such call; returns the dispatch id to call instead of
// `dispatchId` (a server's other ids for the same member), or
// kExposedNoMember to answer DISP_E_MEMBERNOTFOUND.
inline constexpr int kExposedNoMember = -1;  // DISPID_UNKNOWN, never a member's
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
