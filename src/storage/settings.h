// xman::settings: the device settings of "Zequon.pref". One process-wide object serves the
// program: set its file's path first, then instance() reads the file on first use (a missing or
// unreadable file leaves the defaults).
//
// Every setter stores the value and rewrites the whole file at once, all-or-nothing (sibling file
// and rename); it returns 0 or the system's error number, and the value stays set for this run
// even when the file could not be written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/result.h"
#include "storage/settings_values.h"

namespace xman {

class settings {
 public:
  // The path of the file the process-wide object reads and writes; before the first instance().
  static void set_path(std::wstring path);
  static settings& instance();

  // An object of its own on a file, with the defaults until load().
  explicit settings(std::wstring path);

  // Reads the file: the defaults, filled with the fields the file holds. 0, or the system's error
  // number (the values then stay as they were); a file larger than any settings file is refused
  // with EFBIG.
  [[nodiscard]] zq::result_t load();

  const std::wstring& path() const { return path_; }
  const settings_values& values() const { return values_; }

  bool first_run() const { return values_.first_run; }
  const std::wstring& ir_port() const { return values_.ir_port; }
  const std::wstring& import_folder() const { return values_.import_folder; }
  std::int32_t screen_orientation() const { return values_.orientation; }
  std::int32_t screen_class() const { return values_.screen_class; }
  bool use_sounds() const { return values_.use_sounds; }
  // Slot i (0 most recent) of the recent preference names; "" when empty or out of range.
  const std::string& recent_name(std::size_t i) const;

  [[nodiscard]] zq::result_t set_first_run(bool on);
  // At most the first six characters are kept.
  [[nodiscard]] zq::result_t set_ir_port(std::wstring_view port);
  [[nodiscard]] zq::result_t set_import_folder(std::wstring_view folder);
  // -1 (unset) or 0 to 3.
  [[nodiscard]] zq::result_t set_screen_orientation(std::int32_t orientation);
  // -1 (unset) or a screen class 0 to 6.
  [[nodiscard]] zq::result_t set_screen_class(std::int32_t screen_class);
  [[nodiscard]] zq::result_t set_use_sounds(bool on);

  // Moves or adds name to slot 0 (a sixth name drops the oldest) and rewrites the file. Names
  // longer than 31 bytes are cut to 31, as their slot holds no more.
  [[nodiscard]] zq::result_t make_most_recent(std::string_view name);
  // Takes name out of the list and rewrites the file; -1 when it is not in the list.
  [[nodiscard]] zq::result_t remove_recent(std::string_view name);

 private:
  [[nodiscard]] zq::result_t save();

  std::wstring path_;
  settings_values values_;
};

}  // namespace xman
