#include "platform/wakeup_programs.h"

#include <algorithm>
#include <cerrno>

#include "base/text_conversion.h"
#include "platform/file_name_pattern.h"
#include "platform/file_system.h"
#include "platform/host_object_name.h"
#include "platform/named_mutex.h"
#include "platform/shell_execute.h"

namespace platform {

namespace {


bool contains(const std::vector<std::wstring>& programs, std::wstring_view program) {
  return std::any_of(programs.begin(), programs.end(),
                     [&](const std::wstring& p) { return names_equal_ignoring_case(p, program); });
}

// Writes the list to a sibling file and puts it in place by renaming.
int store(const std::vector<std::wstring>& programs) {
  // With nothing registered the file goes, rather than lingering empty in the runtime folder.
  if (programs.empty()) {
    const int error = delete_file(wakeup_programs_file());
    return error == ENOENT ? 0 : error;
  }
  const std::wstring staging_file = wakeup_programs_file() + L".new";
  std::string text;
  for (const std::wstring& program : programs) text += zq::wide_to_utf8(program) + "\n";
  file staging;
  if (const int error = open_file(staging_file, file_access_t::read_write, file_create_t::create_always, staging);
      error != 0) {
    return error;
  }
  int error = write_file_at(staging, 0, text.data(), text.size());
  if (error == 0) error = flush_file(staging);
  staging.close();
  if (error == 0) error = rename_file(staging_file, wakeup_programs_file());
  if (error != 0) (void)delete_file(staging_file);
  return error;
}

bool storable(std::wstring_view program) {
  return !program.empty() && program.size() <= max_wakeup_program_path &&
         program.find_first_of(L"\r\n") == std::wstring_view::npos;
}

}  // namespace

std::wstring wakeup_programs_file() {
  return device_path(named_object_folder() / (host_object_name(L"wake-up programs") + ".txt"));
}

std::vector<std::wstring> parse_wakeup_programs(std::span<const std::uint8_t> bytes) {
  std::vector<std::wstring> programs;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.size() > 4 * max_wakeup_program_path) continue;
    std::wstring program = zq::utf8_to_wide(line);
    // A line that is not exactly UTF-8 text names no path this program wrote.
    if (zq::wide_to_utf8(program) != line) continue;
    if (!storable(program) || contains(programs, program)) continue;
    programs.push_back(std::move(program));
  }
  return programs;
}

int wakeup_programs(std::vector<std::wstring>& programs) {
  programs.clear();
  std::vector<std::uint8_t> bytes;
  const int error = read_whole_file(wakeup_programs_file(), bytes);
  if (error == ENOENT) return 0;
  if (error != 0) return error;
  programs = parse_wakeup_programs(bytes);
  return 0;
}

int register_wakeup_program(std::wstring_view program) {
  if (!storable(program)) return EINVAL;
  std::vector<std::wstring> programs;
  if (const int error = wakeup_programs(programs); error != 0) return error;
  if (contains(programs, program)) return 0;
  programs.emplace_back(program);
  return store(programs);
}

int clear_wakeup_program(std::wstring_view program) {
  std::vector<std::wstring> programs;
  if (const int error = wakeup_programs(programs); error != 0) return error;
  const auto kept = std::remove_if(programs.begin(), programs.end(),
                                   [&](const std::wstring& p) { return names_equal_ignoring_case(p, program); });
  if (kept == programs.end()) return 0;
  programs.erase(kept, programs.end());
  return store(programs);
}

void wake_up() {
  std::vector<std::wstring> programs;
  if (wakeup_programs(programs) != 0) return;
  for (const std::wstring& program : programs) (void)start_program(program);
}

}  // namespace platform
