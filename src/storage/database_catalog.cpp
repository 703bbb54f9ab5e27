#include "storage/database_catalog.h"

#include <algorithm>
#include <cerrno>

#include "base/text_conversion.h"
#include "platform/file_system.h"
#include "platform/shell_execute.h"

namespace xman {
namespace {

constexpr std::size_t kMaxPathLength = 259;  // a path must stay shorter than 260 characters
constexpr std::wstring_view kExtension = L".pdb";

// The file name a database name starts from: characters that a file name cannot hold, and
// spaces, become underscores.
std::wstring file_name_for(std::string_view name) {
  std::wstring text = zq::code_page_to_wide(name);
  for (wchar_t& c : text) {
    if (std::wstring_view(L" \"*/:<?\\>|").find(c) != std::wstring_view::npos) c = L'_';
  }
  return text;
}

bool filter_holds(const catalog_filter& filter, four_cc creator, four_cc type) {
  return std::find(filter.begin(), filter.end(), std::pair{creator, type}) != filter.end();
}

void apply(catalog_entry& entry, std::optional<four_cc> creator, std::optional<four_cc> type,
           std::optional<std::uint16_t> version) {
  if (creator) entry.creator = *creator;
  if (type) entry.type = *type;
  if (version) entry.version = *version;
}

}  // namespace

void database_catalog::set_up(std::wstring_view folder, catalog_filter filter) {
  const std::size_t first = folder.find_first_not_of(L'\\');
  folder_.clear();
  if (first != 0) folder_ = L"\\";  // a run of leading backslashes becomes one
  if (first != std::wstring_view::npos) folder_ += folder.substr(first);
  if (folder_.empty() || folder_.back() != L'\\') folder_ += L'\\';
  filter_ = std::move(filter);
  scan();
}

void database_catalog::scan() {
  entries_.clear();
  std::vector<std::wstring> files;
  if (platform::enumerate_files(folder_, kExtension, files) != 0) return;
  for (const auto& file : files) {
    std::wstring path = folder_ + file;
    database_header header;
    if (read_database_header(path, header) != zq::rc::ok) continue;
    if (!filter_holds(filter_, header.creator, header.type)) continue;
    // Of two files with one internal name, the one enumerated last wins.
    entries_.insert_or_assign(std::move(header.name),
                              catalog_entry{std::move(path), header.creator, header.type, header.version});
  }
}

std::vector<std::string> database_catalog::names() const {
  std::vector<std::string> out;
  out.reserve(entries_.size());
  for (const auto& [name, entry] : entries_) out.push_back(name);
  return out;
}

std::vector<std::string> database_catalog::names(const catalog_filter& filter) const {
  std::vector<std::string> out;
  for (const auto& [name, entry] : entries_) {
    if (filter_holds(filter, entry.creator, entry.type)) out.push_back(name);
  }
  return out;
}

std::optional<std::wstring> database_catalog::path_of(std::string_view name) const {
  const auto it = entries_.find(name);
  if (it == entries_.end()) return std::nullopt;
  return it->second.path;
}

bool database_catalog::exists(std::string_view name) const {
  const auto it = entries_.find(name);
  return it != entries_.end() && platform::path_exists(it->second.path);
}

std::optional<catalog_entry> database_catalog::attributes_of(std::string_view name) const {
  const auto it = entries_.find(name);
  if (it == entries_.end()) return std::nullopt;
  return it->second;
}

zq::result_t database_catalog::set_attributes(std::string_view name, std::optional<four_cc> creator,
                                              std::optional<four_cc> type, std::optional<std::uint16_t> version) {
  const auto it = entries_.find(name);
  if (it == entries_.end()) return zq::rc::not_found;
  if (const zq::result_t result = update_database_header(it->second.path, creator, type, version);
      result != zq::rc::ok) {
    return result;
  }
  apply(it->second, creator, type, version);
  return zq::rc::ok;
}

void database_catalog::set_attributes_in_catalog(std::string_view name, std::optional<four_cc> creator,
                                                 std::optional<four_cc> type, std::optional<std::uint16_t> version) {
  const auto it = entries_.find(name);
  if (it != entries_.end()) apply(it->second, creator, type, version);
}

zq::result_t database_catalog::unique_path(std::string_view name, std::wstring& out) const {
  std::wstring candidate = folder_ + file_name_for(name);
  for (unsigned k = 1;; ++k) {
    if (candidate.size() + kExtension.size() > kMaxPathLength) return zq::rc::no_unique_file_name;
    std::wstring path = candidate + std::wstring(kExtension);
    if (!platform::path_exists(path)) {
      out = std::move(path);
      return zq::rc::ok;
    }
    // The suffixes accumulate: TV, TV_1, TV_1_2, ...
    candidate += L'_' + std::to_wstring(k);
  }
}

zq::result_t database_catalog::new_file_path(std::string_view name, std::wstring& out) const {
  // A second database of a name would hide the first from every look-up by name.
  if (!is_valid_database_name(name) || entries_.contains(name)) return zq::rc::create_failed;
  return unique_path(name, out);
}

void database_catalog::create_folder() const {
  // The folder usually exists; when it cannot be made, the file operation that follows fails
  // and reports it.
  (void)platform::create_directory(std::wstring_view(folder_).substr(0, folder_.size() - 1));
}

zq::result_t database_catalog::create(std::string_view name, four_cc creator, four_cc type, std::uint16_t version) {
  std::wstring path;
  if (const zq::result_t result = new_file_path(name, path); result != zq::rc::ok) return result;
  create_folder();
  if (const zq::result_t result = create_database_file(path, name, creator, type, version); result != zq::rc::ok) {
    return result;
  }
  entries_.emplace(std::string(name), catalog_entry{std::move(path), creator, type, version});
  return zq::rc::ok;
}

zq::result_t database_catalog::store(std::string_view name, four_cc creator, four_cc type, std::uint16_t version,
                                     std::span<const std::span<const std::uint8_t>> records) {
  if (!is_valid_database_name(name)) return zq::rc::create_failed;
  std::wstring path;
  if (const auto it = entries_.find(name); it != entries_.end()) {
    path = it->second.path;
  } else {
    if (const zq::result_t result = unique_path(name, path); result != zq::rc::ok) return result;
    create_folder();
  }
  if (const zq::result_t result = store_database_file(path, name, creator, type, version, records);
      result != zq::rc::ok) {
    return result;
  }
  entries_.insert_or_assign(std::string(name), catalog_entry{std::move(path), creator, type, version});
  return zq::rc::ok;
}

zq::result_t database_catalog::duplicate(std::string_view old_name, std::string_view new_name) {
  const auto it = entries_.find(old_name);
  if (it == entries_.end()) return zq::rc::not_found;
  const catalog_entry old_entry = it->second;
  std::wstring path;
  if (const zq::result_t result = new_file_path(new_name, path); result != zq::rc::ok) return result;
  create_folder();
  if (platform::copy_file(old_entry.path, path) != 0) return zq::rc::duplicate_copy_failed;
  if (const zq::result_t result = write_database_name(path, new_name); result != zq::rc::ok) {
    (void)platform::delete_file(path);
    return result;
  }
  entries_.emplace(std::string(new_name), catalog_entry{std::move(path), old_entry.creator, old_entry.type,
                                                        old_entry.version});
  return zq::rc::ok;
}

zq::result_t database_catalog::rename(std::string_view old_name, std::string_view new_name) {
  const auto it = entries_.find(old_name);
  if (it == entries_.end()) return zq::rc::not_found;
  if (old_name == new_name) return zq::rc::ok;
  const catalog_entry old_entry = it->second;
  std::wstring path;
  if (const zq::result_t result = new_file_path(new_name, path); result != zq::rc::ok) return result;
  (void)platform::set_normal_attributes(old_entry.path);
  if (platform::copy_file(old_entry.path, path) != 0) return zq::rc::rename_copy_failed;
  // The old file goes only once the copy carries the new name; until then the copy is the one
  // to remove.
  zq::result_t result = write_database_name(path, new_name);
  if (result == zq::rc::ok && platform::delete_file(old_entry.path) != 0) result = zq::rc::delete_failed;
  if (result != zq::rc::ok) {
    (void)platform::delete_file(path);
    return result;
  }
  entries_.erase(it);
  entries_.emplace(std::string(new_name), catalog_entry{std::move(path), old_entry.creator, old_entry.type,
                                                        old_entry.version});
  return zq::rc::ok;
}

zq::result_t database_catalog::remove(std::string_view name) {
  const auto it = entries_.find(name);
  if (it == entries_.end()) return zq::rc::ok;
  // A read-only flag that cannot be cleared shows as a failed deletion below.
  (void)platform::set_normal_attributes(it->second.path);
  const int error = platform::delete_file(it->second.path);
  // A file already gone is what deleting wants.
  if (error != 0 && error != ENOENT) return zq::rc::delete_failed;
  entries_.erase(it);
  return zq::rc::ok;
}

zq::result_t database_catalog::beam(std::string_view name) const {
  std::wstring program;
  if (platform::path_exists(L"\\Windows\\irsquirt.exe")) {
    program = L"\\Windows\\irsquirt.exe";
  } else if (platform::path_exists(L"\\Windows\\beam.exe")) {
    program = L"\\Windows\\beam.exe";
  } else {
    return zq::rc::beam_unavailable;
  }
  const auto it = entries_.find(name);
  if (it == entries_.end()) return zq::rc::not_found;
  // The path goes unquoted, as the beaming programs expect it.
  if (platform::shell_execute_open(program, it->second.path) != 0) return zq::rc::beam_unavailable;
  return zq::rc::ok;
}

}  // namespace xman
