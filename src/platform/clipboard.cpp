#include "platform/clipboard.h"

#include <optional>
#include <utility>

#include "base/text_conversion.h"

namespace platform {

namespace {

struct clipboard_state {
  clipboard_host host;
  std::optional<std::wstring> text;  // the in-process clipboard
};

clipboard_state& state() {
  static clipboard_state clipboard;
  return clipboard;
}

std::wstring_view up_to_nul(std::wstring_view text) { return text.substr(0, text.find(L'\0')); }

}  // namespace

bool set_clipboard_text(std::wstring_view text) {
  text = up_to_nul(text);
  if (state().host.set) return state().host.set(zq::wide_to_utf8(text));
  state().text = std::wstring(text);
  return true;
}

bool clipboard_text(std::wstring& out) {
  out.clear();
  if (state().host.get) {
    std::string utf8;
    if (!state().host.get(utf8)) return false;
    out = std::wstring(up_to_nul(zq::utf8_to_wide(utf8)));
    return true;
  }
  if (!state().text) return false;
  out = *state().text;
  return true;
}

void set_clipboard_host(clipboard_host host) { state().host = std::move(host); }

}  // namespace platform
