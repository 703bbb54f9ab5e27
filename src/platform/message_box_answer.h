// How a message box is answered from outside the screen (the headless script's "answer"): the
// message box that is open installs a handler for the time it is open; an answer presses that
// button of the box. Boxes may nest (a box opened from a box): the innermost one answers.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace platform {

// The buttons by their dialog ids.
enum class message_box_button_t : std::uint32_t { ok = 1, cancel = 2, yes = 6, no = 7 };
enum class message_box_icon_t { none, stop, error, warning, information, exclamation, question };

// "ok", "cancel", "yes", "no"; false for anything else.
bool message_box_button_by_name(std::string_view name, message_box_button_t& out);
std::string_view message_box_button_name(message_box_button_t button);
std::string_view message_box_icon_name(message_box_icon_t icon);

// Returns false when the box has no such button (nothing happens then).
using message_box_answer_handler = std::function<bool(message_box_button_t)>;

// Presses the button of the innermost open box: false when none is open or it has no such button.
bool answer_message_box(message_box_button_t button);

// Installs the handler of a box that opens; the box that was answering before answers again
// when this one closes.
class message_box_answering {
 public:
  explicit message_box_answering(message_box_answer_handler handler);
  ~message_box_answering();
  message_box_answering(const message_box_answering&) = delete;
  message_box_answering& operator=(const message_box_answering&) = delete;

 private:
  friend bool answer_message_box(message_box_button_t button);
  message_box_answer_handler handler_;
  message_box_answering* outer_;
};

bool message_box_is_open();

}  // namespace platform
