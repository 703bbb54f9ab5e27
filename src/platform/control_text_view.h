// The read-only scrollable text (help bodies): a child window of class text_view_class showing
// its text word-wrapped inside a frame, with its line breaks kept. When the text is taller than
// the window, a vertical scroll bar (a child with id text_view_scroll_bar_id) appears at the right
// and the text scrolls: by the bar's arrows (a line), its trough (a page) and its thumb, by the
// stylus dragged over the text (the text follows the stylus), and by Up and Down (a line), which
// the view keeps from a dialog's focus movement.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/window_handle.h"

namespace platform {

inline constexpr const wchar_t* text_view_class = L"ZqTextView";
inline constexpr std::uint32_t text_view_scroll_bar_id = 1;

// Registers text_view_class and the scroll bar's class once (again after the window system was
// reset).
void register_text_view_class();

// Replaces the text (also wm::settext with a NUL-terminated const wchar_t* in lparam) and scrolls
// back to the top.
void text_view_set_text(hwnd view, std::wstring_view text);

// How many pixels of the text are scrolled off above the window.
int text_view_scroll(hwnd view);

}  // namespace platform
