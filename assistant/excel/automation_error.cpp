#include "assistant/excel/automation_error.h"

#include "base/code_page.h"

CAutomationError::CAutomationError(std::u16string description, bool busy)
    : m_description(std::move(description)),
      m_utf8(EncodeToCodePage(m_description, kCodePageUtf8)),
      m_busy(busy) {}
