#include "dialogs/zqx_edit.h"

#include "platform/control_edit.h"

using namespace platform;

void CZQXEdit::SetText(const std::wstring& text) { edit_set_text(m_hWnd, text); }

void CZQXEdit::SetLimitText(int characters) {
  SendMessage(em::limittext, static_cast<wparam_t>(characters), 0);
}

void CZQXEdit::SetSel(int start, int end) {
  SendMessage(em::setsel, static_cast<wparam_t>(start), static_cast<lparam_t>(end));
}
