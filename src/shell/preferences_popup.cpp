#include "shell/preferences_popup.h"

#include "base/text_conversion.h"
#include "shell/menu_commands.h"

namespace shell {

namespace {

std::wstring shown_literally(const std::string& name) {
  std::wstring text;
  for (const wchar_t c : zq::code_page_to_wide(name)) {
    text += c;
    if (c == L'&') text += L'&';
  }
  return text;
}

}  // namespace

bool is_preferences_popup(const platform::menu& popup) {
  if (popup.count() == 0) return false;
  const std::uint32_t first = popup.item(0).id;
  return first == command::flip_screen || first == command::ir_setup;
}

void prepare_preferences_popup(platform::menu& popup, bool can_turn_display, bool use_sounds,
                               const std::vector<std::string>& recent) {
  if (!can_turn_display) popup.remove(command::flip_screen, platform::mf::bycommand);
  popup.check(command::use_sounds, platform::mf::bycommand, use_sounds);
  int load = -1;
  for (int i = 0; i < popup.count(); ++i) {
    if (popup.item(i).id == command::load_preferences) load = i;
  }
  while (load >= 0 && popup.count() > load + 1) popup.remove(static_cast<std::uint32_t>(load + 1), platform::mf::byposition);
  std::uint32_t id = command::first_recent;
  for (const std::string& name : recent) {
    if (name.empty() || id > command::last_recent) continue;
    if (id == command::first_recent) popup.append(platform::mf::separator, 0, L"");
    popup.append(platform::mf::string, id++, shown_literally(name));
  }
}

}  // namespace shell
