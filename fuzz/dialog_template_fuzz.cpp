// Parses arbitrary bytes as a dialog template. Whatever the outcome, the result code is one of the
// parser's, a refused text leaves an empty template, and a template read keeps the limits: sizes
// and positions within the dialog units allowed, no more controls than allowed, texts and class
// names no longer than allowed, only class bits besides the window bits the words give.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/dialog_template.h"
#include "platform/window.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

bool within_units(int value, int least) { return value >= least && value <= platform::dialog_template_max_units; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace platform;
  dialog_template t;
  std::size_t line = 0;
  const zq::result_t result = parse_dialog_template(std::span(data, size), t, &line);
  check(result == zq::rc::ok || result == zq::rc::dialog_template_malformed ||
        result == zq::rc::dialog_template_too_large);
  if (result != zq::rc::ok) {
    check(t.controls.empty() && t.caption.empty() && t.extent.cx == 0);
    return 0;
  }
  check(within_units(t.extent.cx, 1) && within_units(t.extent.cy, 1));
  check(t.caption.size() <= dialog_template_max_text && t.font_face.size() <= dialog_template_max_text);
  check(t.font_points >= 1 && t.font_points <= dialog_template_max_points);
  check(t.controls.size() <= dialog_template_max_controls);
  constexpr std::uint32_t word_bits = ws::child | ws::visible | ws::disabled | dialog_style::group | dialog_style::tabstop;
  for (const dialog_control_template& c : t.controls) {
    check(c.id <= 0xFFFF);
    check(!c.class_name.empty() && c.class_name.size() <= dialog_template_max_class);
    check(c.text.size() <= dialog_template_max_text);
    check(within_units(c.position.left, 0) && within_units(c.position.top, 0));
    check(within_units(c.position.width(), 1) && within_units(c.position.height(), 1));
    check((c.style & ws::child) != 0 && (c.style & 0xFFFF0000u & ~word_bits) == 0);
  }
  return 0;
}
