// remote::navigation: the top panel. Its menu button toggles the menu bar, the device triangle
// and name open the codebase list, five hot buttons load the codebases of the hot list, the page
// buttons turn the device's pages, and the IR indicator lights while a signal is sent. It also
// consumes "@loadhot:" commands.
#pragma once

#include <cstdint>
#include <string_view>

#include "ir/context.h"
#include "remote/service.h"

namespace remote {

class window_control;

class navigation final : public service {
 public:
  explicit navigation(window_control& holder);

  void draw(layer::renderer& r) override;
  bool prepare() override;
  std::string name() const override { return "navigation"; }

  // "@loadhot:N": true when the text is one.
  bool load_hot_command(std::string_view action, redeye::error_t& error);
  // Lights or darkens "irled" and puts only that button on the window.
  void set_indicator(bool on);
  // The hot buttons' titles, the device name and the highlight are bound again on the next draw.
  void refresh() { state_flags |= title_changed; }

 private:
  void bind();
  void bind_service_button(button& b, const std::string& shown);

  window_control& holder_;
  bool indicator_only_ = false;
  std::string highlighted_;
};

}  // namespace remote
