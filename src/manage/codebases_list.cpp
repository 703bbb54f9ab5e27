#include "manage/codebases_list.h"

#include "base/text_conversion.h"
#include "platform/control_combobox.h"
#include "platform/window.h"
#include "platform/message_queue.h"
#include "platform/window_focus.h"

using namespace platform;

namespace manage {

CCodebasesList::~CCodebasesList() {
  if (m_window != no_window && is_window(m_window)) destroy_window(m_window);
}

bool CCodebasesList::Create(hwnd parent, const rect& position, std::uint32_t id) {
  register_combobox_class();
  m_window = create_window({combobox_class, L"", ws::child | cbs::dropdownlist | cbs::sort | lbs::vscroll | lbs::hscroll,
                            0, position, parent, id, nullptr});
  return m_window != no_window;
}

void CCodebasesList::Move(const rect& position) {
  if (m_window != no_window) move_window(m_window, position, true);
}

bool CCodebasesList::Select(const std::vector<std::string>& names, std::string_view current) {
  m_chosen.clear();
  if (m_window == no_window) return false;
  send_message(m_window, cb::resetcontent, 0, 0);
  for (const std::string& name : names) {
    const std::wstring line = zq::code_page_to_wide(name);
    send_message(m_window, cb::addstring, 0, reinterpret_cast<lparam_t>(line.c_str()));
  }
  const std::wstring wanted = zq::code_page_to_wide(current);
  const lresult_t at = send_message(m_window, cb::findstringexact, static_cast<wparam_t>(-1),
                                    reinterpret_cast<lparam_t>(wanted.c_str()));
  send_message(m_window, cb::setcursel, static_cast<wparam_t>(at), 0);
  show_window(m_window, sw::show);
  set_focus(m_window);
  run_drop_down(m_window);
  show_window(m_window, sw::hide);
  const lresult_t picked = send_message(m_window, cb::getcursel, 0, 0);
  if (picked < 0) return false;
  const std::string text = zq::wide_to_code_page(combobox_text(m_window, static_cast<int>(picked)));
  if (text == current) return false;
  m_chosen = text;
  return true;
}

}  // namespace manage
