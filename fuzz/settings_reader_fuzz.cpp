// Reads arbitrary bytes as a settings file. Every field must come out within what the file can
// hold, and writing the values and reading them back must give the same values in a file of the
// current layout's size.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/utf16_text.h"
#include "storage/settings_file.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly the input's size, so that any read past the end is caught.
  const std::vector<std::uint8_t> bytes(data, data + size);
  xman::settings_values values;
  xman::decode_settings(bytes, values);
  for (const auto& name : values.recent) check(name.size() <= xman::recent_name_limit && name.find('\0') == name.npos);
  check(zq::wide_to_utf16(values.ir_port).size() <= xman::ir_port_limit);
  const std::size_t folder_units = zq::wide_to_utf16(values.import_folder).size();
  check(folder_units <= xman::import_folder_limit);
  check(values.orientation >= xman::orientation_unset && values.orientation <= xman::orientation_max);
  check(values.screen_class >= xman::screen_class_unset && values.screen_class <= xman::screen_class_max);

  const std::vector<std::uint8_t> written = xman::encode_settings(values);
  check(written.size() == 188 + 2 * folder_units);
  xman::settings_values again;
  again.first_run = !values.first_run;
  again.use_sounds = !values.use_sounds;
  xman::decode_settings(written, again);
  check(again == values);
  return 0;
}
