#include "storage/settings.h"

#include <cassert>
#include <cerrno>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "storage/file_replacement.h"
#include "storage/recent_list.h"
#include "storage/settings_file.h"

namespace xman {
namespace {

std::wstring& configured_path() {
  static std::wstring path;
  return path;
}

}  // namespace

void settings::set_path(std::wstring path) { configured_path() = std::move(path); }

settings& settings::instance() {
  static settings the_settings = [] {
    settings loaded(configured_path());
    (void)loaded.load();  // a missing or unreadable file leaves the defaults
    return loaded;
  }();
  return the_settings;
}

settings::settings(std::wstring path) : path_(std::move(path)) {}

zq::result_t settings::load() {
  platform::file in;
  int error =
      platform::open_file(path_, platform::file_access_t::read_only, platform::file_create_t::open_existing, in);
  if (error != 0) return error;
  std::uint64_t size = 0;
  if ((error = platform::file_size(in, size)) != 0) return error;
  if (size > settings_file_limit) return EFBIG;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::size_t got = 0;
  if ((error = platform::read_file_at(in, 0, bytes.data(), bytes.size(), got)) != 0) return error;
  // A file that shrank while being read is taken at the size read: its layout follows that size.
  bytes.resize(got);
  settings_values read;
  decode_settings(bytes, read);
  values_ = std::move(read);
  return zq::rc::ok;
}

const std::string& settings::recent_name(std::size_t i) const {
  static const std::string none;
  return i < recent_count ? values_.recent[i] : none;
}

zq::result_t settings::save() {
  // What is in use is what the file holds: texts cut to their fields, nothing past a NUL.
  const std::vector<std::uint8_t> bytes = encode_settings(values_);
  decode_settings(bytes, values_);
  return replace_file(path_, bytes);
}

zq::result_t settings::set_first_run(bool on) {
  values_.first_run = on;
  return save();
}

zq::result_t settings::set_ir_port(std::wstring_view port) {
  values_.ir_port = port;
  return save();
}

zq::result_t settings::set_import_folder(std::wstring_view folder) {
  values_.import_folder = folder;
  return save();
}

zq::result_t settings::set_screen_orientation(std::int32_t orientation) {
  assert(orientation >= orientation_unset && orientation <= orientation_max);
  values_.orientation = orientation;
  return save();
}

zq::result_t settings::set_screen_class(std::int32_t screen_class) {
  assert(screen_class >= screen_class_unset && screen_class <= screen_class_max);
  values_.screen_class = screen_class;
  return save();
}

zq::result_t settings::set_use_sounds(bool on) {
  values_.use_sounds = on;
  return save();
}

zq::result_t settings::make_most_recent(std::string_view name) {
  xman::make_most_recent(values_.recent, fitting_recent_name(name));
  return save();
}

zq::result_t settings::remove_recent(std::string_view name) {
  if (!xman::remove_recent(values_.recent, fitting_recent_name(name))) return -1;
  return save();
}

}  // namespace xman
