// The clipboard's text (the handheld's Unicode text format). The text lives in the process unless
// a backend installs the desktop's clipboard (the SDL backend does). As with the handheld's
// NUL-terminated clipboard text, a text ends at its first NUL character.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Replaces the clipboard's content with the text; false when the desktop's clipboard refused it.
bool set_clipboard_text(std::wstring_view text);
// The clipboard's text; false (and out empty) when it holds none.
bool clipboard_text(std::wstring& out);

// A desktop clipboard in UTF-8; both functions empty: the in-process clipboard.
struct clipboard_host {
  std::function<bool(const std::string& utf8)> set;
  std::function<bool(std::string& utf8)> get;  // false when it holds no text
};
void set_clipboard_host(clipboard_host host);

}  // namespace platform
