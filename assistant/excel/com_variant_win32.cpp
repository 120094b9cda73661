#include "assistant/excel/automation_error.h"
#include "assistant/excel/com_automation_win32.h"

namespace {

// Frees a VARIANT copy on every way out.
class CVariantCopy {
 public:
  CVariantCopy() { VariantInit(&m_variant); }
  ~CVariantCopy() { VariantClear(&m_variant); }
  CVariantCopy(const CVariantCopy&) = delete;
  CVariantCopy& operator=(const CVariantCopy&) = delete;
  VARIANT& Get() { return m_variant; }

 private:
  VARIANT m_variant;
};

[[noreturn]] void ThrowTypeMismatch() { throw CAutomationError(u"Type mismatch"); }

AutomationValue FromDispatch(IDispatch* dispatch) {
  if (dispatch) dispatch->AddRef();  // the wrapper owns its own reference
  return WrapDispatch(dispatch);
}

AutomationValue FromUnknown(IUnknown* unknown) {
  if (!unknown) return AutomationObjectPtr();
  IDispatch* dispatch = nullptr;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
    ThrowTypeMismatch();
  return WrapDispatch(dispatch);
}

AutomationValue FromNumber(const VARIANT& variant, VARTYPE type) {
  CVariantCopy converted;
  if (FAILED(VariantChangeType(&converted.Get(), const_cast<VARIANT*>(&variant), 0, type)))
    ThrowTypeMismatch();
  if (type == VT_I4) return static_cast<std::int32_t>(converted.Get().lVal);
  return converted.Get().dblVal;
}

// A one- or two-dimensional SAFEARRAY of variants, whatever its lower
// bounds; one dimension reads as one row.
AutomationValue FromArray(const VARIANT& variant) {
  SAFEARRAY* source = (V_VT(&variant) & VT_BYREF) ? *V_ARRAYREF(&variant) : V_ARRAY(&variant);
  if (!source || (V_VT(&variant) & VT_TYPEMASK) != VT_VARIANT) ThrowTypeMismatch();
  UINT dimensions = SafeArrayGetDim(source);
  if (dimensions < 1 || dimensions > 2) ThrowTypeMismatch();
  LONG firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
  SafeArrayGetLBound(source, 1, &firstRow);
  SafeArrayGetUBound(source, 1, &lastRow);
  if (dimensions == 2) {
    SafeArrayGetLBound(source, 2, &firstColumn);
    SafeArrayGetUBound(source, 2, &lastColumn);
  }
  AutomationArray block(dimensions == 2 ? lastRow - firstRow + 1 : 1,
                        dimensions == 2 ? lastColumn - firstColumn + 1 : lastRow - firstRow + 1);
  for (int row = 1; row <= block.rows; ++row) {
    for (int column = 1; column <= block.columns; ++column) {
      LONG index[2] = {firstRow + row - 1, firstColumn + column - 1};
      if (dimensions == 1) index[0] = firstRow + column - 1;
      CVariantCopy element;
      if (FAILED(SafeArrayGetElement(source, index, &element.Get()))) ThrowTypeMismatch();
      block.At(row, column) = AutomationValueFromVariant(element.Get());
    }
  }
  return MakeAutomationArray(std::move(block));
}

// A block as the spreadsheet hands one out: two dimensions from 1.
SAFEARRAY* ToArray(const AutomationArray& block) {
  SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(block.rows), 1}, {static_cast<ULONG>(block.columns), 1}};
  SAFEARRAY* target = SafeArrayCreate(VT_VARIANT, 2, bounds);
  if (!target) throw CAutomationError(u"Out of memory");
  for (int row = 1; row <= block.rows; ++row) {
    for (int column = 1; column <= block.columns; ++column) {
      LONG index[2] = {row, column};
      CVariantCopy element;
      AutomationValueToVariant(block.At(row, column), element.Get());
      SafeArrayPutElement(target, index, &element.Get());
    }
  }
  return target;
}

}  // namespace

AutomationValue AutomationValueFromVariant(const VARIANT& variant) {
  if (V_VT(&variant) & VT_ARRAY) return FromArray(variant);
  if (V_VT(&variant) & VT_BYREF) {
    CVariantCopy direct;
    if (FAILED(VariantCopyInd(&direct.Get(), const_cast<VARIANT*>(&variant)))) ThrowTypeMismatch();
    return AutomationValueFromVariant(direct.Get());
  }
  switch (V_VT(&variant)) {
    case VT_EMPTY:
      return {};
    case VT_NULL:
      return AutomationNull{};
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_INT:
      return FromNumber(variant, VT_I4);
    case VT_UI4:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL:
      return FromNumber(variant, VT_R8);
    case VT_BOOL:
      return V_BOOL(&variant) != VARIANT_FALSE;
    case VT_BSTR: {
      BSTR text = V_BSTR(&variant);
      return std::u16string(reinterpret_cast<const char16_t*>(text), text ? SysStringLen(text) : 0);
    }
    case VT_DISPATCH:
      return FromDispatch(V_DISPATCH(&variant));
    case VT_UNKNOWN:
      return FromUnknown(V_UNKNOWN(&variant));
    case VT_ERROR:
      // The omitted argument; any other error value (a cell's #DIV/0!) is
      // kept as its code.
      if (V_ERROR(&variant) == DISP_E_PARAMNOTFOUND) return AutomationMissing{};
      return static_cast<std::int32_t>(V_ERROR(&variant));
    default:
      ThrowTypeMismatch();
  }
}

namespace {

ObjectExposer g_exposer = nullptr;

IDispatch* DispatchForVariant(const AutomationObjectPtr& object) {
  if (!object) return nullptr;
  if (IDispatch* own = DispatchOfWrapped(object)) return own;
  if (!g_exposer) ThrowTypeMismatch();
  return g_exposer(object);
}

}  // namespace

void SetObjectExposer(ObjectExposer expose) { g_exposer = expose; }

void AutomationValueToVariant(const AutomationValue& value, VARIANT& variant) {
  VariantClear(&variant);
  if (const auto* number = std::get_if<std::int32_t>(&value)) {
    V_VT(&variant) = VT_I4;
    V_I4(&variant) = *number;
  } else if (const auto* real = std::get_if<double>(&value)) {
    V_VT(&variant) = VT_R8;
    V_R8(&variant) = *real;
  } else if (const auto* flag = std::get_if<bool>(&value)) {
    V_VT(&variant) = VT_BOOL;
    V_BOOL(&variant) = *flag ? VARIANT_TRUE : VARIANT_FALSE;
  } else if (const auto* text = std::get_if<std::u16string>(&value)) {
    V_VT(&variant) = VT_BSTR;
    V_BSTR(&variant) =
        SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text->data()), static_cast<UINT>(text->size()));
  } else if (const auto* object = std::get_if<AutomationObjectPtr>(&value)) {
    V_VT(&variant) = VT_DISPATCH;
    V_DISPATCH(&variant) = DispatchForVariant(*object);
  } else if (const auto* array = std::get_if<AutomationArrayPtr>(&value)) {
    V_VT(&variant) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&variant) = ToArray(*array ? **array : AutomationArray());
  } else if (std::holds_alternative<AutomationNull>(value)) {
    V_VT(&variant) = VT_NULL;
  } else if (std::holds_alternative<AutomationMissing>(value)) {
    V_VT(&variant) = VT_ERROR;
    V_ERROR(&variant) = DISP_E_PARAMNOTFOUND;
  }
}
