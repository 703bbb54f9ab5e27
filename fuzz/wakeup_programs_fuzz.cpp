// Reads arbitrary bytes as the wake-up registrations file. Every program read must be one the
// file can hold again (a non-empty line of bounded length, no repeats), and writing the list and
// reading it back must give the same list.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/text_conversion.h"
#include "platform/file_name_pattern.h"
#include "platform/wakeup_programs.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  const std::vector<std::wstring> programs = platform::parse_wakeup_programs(bytes);
  std::string text;
  for (std::size_t i = 0; i < programs.size(); ++i) {
    const std::wstring& program = programs[i];
    check(!program.empty() && program.size() <= platform::max_wakeup_program_path);
    check(program.find_first_of(L"\r\n") == std::wstring::npos);
    for (std::size_t j = 0; j < i; ++j) check(!platform::names_equal_ignoring_case(programs[j], program));
    text += zq::wide_to_utf8(program) + "\n";
  }
  const std::vector<std::uint8_t> again(text.begin(), text.end());
  check(platform::parse_wakeup_programs(again) == programs);
  return 0;
}
