#include "ir/disassembler.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "ir/transmit_time.h"

namespace redeye {

namespace {

std::optional<int> whole_number(std::string_view text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

// The rest of text after prefix, when text starts with it.
std::optional<std::string_view> after(std::string_view text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return std::nullopt;
  return text.substr(prefix.size());
}

std::string pause_line(std::int32_t ms) {
  if (ms < 0) ms = 0;
  return "Pause " + std::to_string(ms / 1000) + "." + std::to_string(ms / 100 % 10) + std::to_string(ms / 10 % 10) +
         " sec";
}

std::string reference_line(const macro_item& item) {
  std::string line;
  if (item.is_macro_reference()) {
    line = "Macro " + item.name.substr(1);
    if (!item.base.empty()) line += "/" + item.base;
    return line;
  }
  line = item.name;
  if (!item.base.empty()) line += "/" + item.base;
  if (item.time > 0) {
    line += "/" + std::to_string(item.time / 1000) + " sec";
  } else if (item.repeat == passes_once) {
    line += "/once";
  }
  return line;
}

std::string action_line(std::string_view text) {
  if (text == "@page+") return "Load next page";
  if (text == "@page-") return "Load previous page";
  if (text == "@device+") return "Launch next codebase";
  if (text == "@device-") return "Launch prev codebase";

  std::string_view command = text;
  if (command.starts_with('$')) command.remove_prefix(1);
  if (const auto page = after(command, "@page:")) {
    if (const auto number = whole_number(*page)) return "Load page " + std::to_string(*number);
  } else if (const auto profile = after(command, "@load-profile:")) {
    return "Preferences " + std::string(*profile);
  } else if (const auto remote = after(command, "@remote:")) {
    // The codebase name runs up to the next colon; a page number not below 0 may follow it.
    const std::size_t colon = remote->find(':');
    const std::string name(remote->substr(0, colon));
    if (colon != std::string_view::npos) {
      if (const auto number = whole_number(remote->substr(colon + 1)); number && *number >= 0) {
        return "Launch " + name + "/page " + std::to_string(*number);
      }
    }
    return "Launch " + name;
  }
  return "Unknown action: " + std::string(text);
}

}  // namespace

std::string disassembler::disassemble(const macro_item& item) {
  switch (item.type) {
    case macro_item_type_t::delay:
      return pause_line(item.time);
    case macro_item_type_t::reference:
      return reference_line(item);
    case macro_item_type_t::action:
      return action_line(item.name);
  }
  return {};
}

}  // namespace redeye
