#include "ir/error_report.h"

#include "ir/maker_contact.h"

namespace redeye {

namespace {

error_report error_text(std::string text) { return {std::move(text), report_icon_t::error}; }

std::string number(std::int32_t code) { return std::to_string(code); }

}  // namespace

std::optional<error_report> report_of(const error_t& error) {
  const std::int32_t code = error.code;
  switch (error.category) {
    case error_category::macro_internal:
    case error_category::macro_hot_list:
      return error_text("Internal error " + number(code) + " while running macro. Please write to " +
                        support_email + ".");
    case error_category::codebase_open:
      if (code == 1041)
        return error_text(
            "Unknown version of the codebase! You must use the freshest version of the application to open this "
            "codebase.");
      return error_text("Cannot open codebase (" + number(code) + ").");
    case error_category::driver:
      if (code == 0 || code == 4) return std::nullopt;
      if (code == 5 || code == 6 || code == 203)
        return error_text("Problem while receiving signal (error " + number(code) +
                          "). Make sure to point the original remote control right to the infrared receiver of "
                          "your Windows Mobile device.");
      if (code == 304)
        return error_text("IR port is not selected. Please select a port using Preferences menu, IR Setup dialog.");
      return error_text("Improper IR port (error " + number(code) +
                        ") Please select another port using Preferences menu, IR Setup dialog. On problem continues "
                        "write to " +
                        support_email + ".");
    case error_category::no_driver:
      return error_report{std::string("Zequa cannot use the infrared port of your device. Check compatibility at ") +
                              devices_web_address + ".",
                          report_icon_t::warning};
    case error_category::codebase_missing:
      return error_text("Cannot find the codebase referenced in this macro.");
    case error_category::name_missing:
      return error_text("Cannot find the IR signal or macro referenced in this macro.");
    case error_category::pronto:
      return error_text("Wrong Hex code (error " + number(code) + "). Correct code or write to " + support_email +
                        ".");
    default:
      return std::nullopt;
  }
}

}  // namespace redeye
