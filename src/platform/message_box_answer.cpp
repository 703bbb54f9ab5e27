#include "platform/message_box_answer.h"

#include <array>
#include <utility>

namespace platform {

namespace {

message_box_answering*& innermost() {
  thread_local message_box_answering* box = nullptr;
  return box;
}

struct button_name {
  message_box_button_t button;
  std::string_view name;
};

constexpr std::array<button_name, 4> button_names{{
    {message_box_button_t::ok, "ok"},
    {message_box_button_t::cancel, "cancel"},
    {message_box_button_t::yes, "yes"},
    {message_box_button_t::no, "no"},
}};

}  // namespace

bool message_box_button_by_name(std::string_view name, message_box_button_t& out) {
  for (const button_name& b : button_names) {
    if (b.name == name) {
      out = b.button;
      return true;
    }
  }
  return false;
}

std::string_view message_box_button_name(message_box_button_t button) {
  for (const button_name& b : button_names) {
    if (b.button == button) return b.name;
  }
  return "?";
}

std::string_view message_box_icon_name(message_box_icon_t icon) {
  switch (icon) {
    case message_box_icon_t::none: return "none";
    case message_box_icon_t::stop: return "stop";
    case message_box_icon_t::error: return "error";
    case message_box_icon_t::warning: return "warning";
    case message_box_icon_t::information: return "information";
    case message_box_icon_t::exclamation: return "exclamation";
    case message_box_icon_t::question: return "question";
  }
  return "?";
}

message_box_answering::message_box_answering(message_box_answer_handler handler)
    : handler_(std::move(handler)), outer_(innermost()) {
  innermost() = this;
}

message_box_answering::~message_box_answering() { innermost() = outer_; }

bool message_box_is_open() { return innermost() != nullptr; }

bool answer_message_box(message_box_button_t button) {
  message_box_answering* box = innermost();
  return box != nullptr && box->handler_ && box->handler_(button);
}

}  // namespace platform
