#include "assistant/ui/select_edit_text.h"

int SelectEditText(const winfx::CWindow& edit) {
  edit.Focus();
  edit.Send(EM_SETSEL, 0, -1);
  edit.Send(EM_SCROLLCARET);
  return 1;
}
