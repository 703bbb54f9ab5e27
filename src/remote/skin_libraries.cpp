#include "remote/skin_libraries.h"

#include <algorithm>

#include "platform/file_system.h"

namespace remote {

namespace {

const platform::resource_name editor_type{"ZQED"};
const platform::resource_name skin_type{"USKN"};
constexpr std::uint16_t skin_marker_id = 1000;
constexpr std::wstring_view library_suffix = L".dll";

}  // namespace

skin_libraries& skin_libraries::instance() {
  static skin_libraries libraries;
  return libraries;
}

std::wstring skin_libraries::path_of(std::wstring_view name) const {
  std::wstring path = folder_;
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path.append(name).append(library_suffix);
}

zq::result_t skin_libraries::load(std::wstring_view name) {
  const std::wstring path = path_of(name);
  if (const auto it = held_.find(path); it != held_.end()) {
    ++it->second.references;
    return zq::rc::ok;
  }
  auto library = std::make_unique<platform::module>();
  if (const zq::result_t rc = platform::load_module_file(path, *library); rc != zq::rc::ok) return rc;
  held_.emplace(path, held{std::move(library), 1});
  return zq::rc::ok;
}

bool skin_libraries::select(std::wstring_view name) {
  const auto it = held_.find(path_of(name));
  if (it == held_.end()) return false;
  current_ = it->second.library.get();
  return true;
}

platform::module* skin_libraries::keep_loaded(std::wstring_view name) {
  if (const auto it = held_.find(path_of(name)); it != held_.end()) return it->second.library.get();
  if (load(name) != zq::rc::ok) return nullptr;
  return held_.find(path_of(name))->second.library.get();
}

void skin_libraries::release(std::wstring_view name) {
  const auto it = held_.find(path_of(name));
  if (it == held_.end() || --it->second.references > 0) return;
  if (current_ == it->second.library.get()) current_ = nullptr;
  held_.erase(it);
}

bool skin_libraries::is_loaded(std::wstring_view name) const { return held_.contains(path_of(name)); }

int skin_libraries::references(std::wstring_view name) const {
  const auto it = held_.find(path_of(name));
  return it == held_.end() ? 0 : it->second.references;
}

bool skin_libraries::is_skin(const platform::module& library) {
  return library.find(editor_type, platform::resource_name(skin_marker_id)) != nullptr &&
         library.find(skin_type, platform::resource_name(skin_marker_id)) != nullptr;
}

std::vector<std::wstring> skin_libraries::list() {
  std::vector<std::wstring> names;
  std::vector<std::wstring> files;
  if (platform::enumerate_files(folder_, library_suffix, files) == 0) {
    for (const std::wstring& file : files) {
      const std::wstring name = file.substr(0, file.size() - library_suffix.size());
      if (load(name) != zq::rc::ok) continue;
      if (is_skin(*held_.at(path_of(name)).library)) names.push_back(name);
      release(name);
    }
  }
  const auto default_skin = std::find(names.begin(), names.end(), default_skin_name);
  if (default_skin != names.end()) names.erase(default_skin);
  names.insert(names.begin(), std::wstring(default_skin_name));
  return names;
}

}  // namespace remote
