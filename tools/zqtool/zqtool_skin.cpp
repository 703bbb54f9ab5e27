// zqtool skin: resource-only libraries (skins).
//   zqtool skin build DIR OUT.dll   builds the library described by DIR/manifest.txt (see
//                                   skin_manifest.h); the old OUT.dll stays whole on any failure
//   zqtool skin list FILE.dll       TYPE ID SIZE per resource, in library order
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/icon_file.h"
#include "platform/module.h"
#include "platform/pe_writer.h"
#include "platform/resource_string_table.h"
#include "skin_manifest.h"
#include "storage/file_replacement.h"
#include "storage/meta_text.h"
#include "zqtool_commands.h"

namespace zqtool {
namespace {

constexpr const char* skin_usage = "skin build DIR OUT.dll | skin list FILE.dll";
constexpr const char* manifest_name = "manifest.txt";
constexpr std::size_t bmp_file_header_size = 14;

int read_host_file(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
  return platform::read_whole_file(platform::device_path(path), bytes);
}

// The bytes a manifest entry stands for; prints the reason and returns false on failure.
bool entry_bytes(const std::filesystem::path& folder, const manifest_file_entry& entry, std::vector<std::uint8_t>& out) {
  const std::filesystem::path path = folder / entry.file;
  std::vector<std::uint8_t> bytes;
  if (const int rc = read_host_file(path, bytes); rc != 0) {
    std::fprintf(stderr, "%s: cannot be read\n", path.string().c_str());
    fail(rc);
    return false;
  }
  if (entry.file.ends_with(".meta")) {
    meta::compile_options options;
    options.index_names = entry.index_names;
    meta::text_error error;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (meta::compile(text, options, out, error) != 0) {
      std::fprintf(stderr, "%s:%zu: %s\n", path.string().c_str(), error.line, error.message.c_str());
      return false;
    }
    return true;
  }
  const bool bitmap_file = entry.type == platform::resource_name(platform::rt::bitmap) &&
                           bytes.size() >= bmp_file_header_size && bytes[0] == 'B' && bytes[1] == 'M';
  out.assign(bytes.begin() + (bitmap_file ? bmp_file_header_size : 0), bytes.end());
  return true;
}

int build(const std::string& dir, const std::string& output) {
  const std::filesystem::path folder(dir);
  const std::filesystem::path manifest_path = folder / manifest_name;
  std::vector<std::uint8_t> manifest_bytes;
  if (const int rc = read_host_file(manifest_path, manifest_bytes); rc != 0) return fail(rc);
  skin_manifest manifest;
  manifest_error error;
  const std::string_view text(reinterpret_cast<const char*>(manifest_bytes.data()), manifest_bytes.size());
  if (!parse_skin_manifest(text, manifest, error)) {
    std::fprintf(stderr, "%s:%zu: %s\n", manifest_path.string().c_str(), error.line, error.message.c_str());
    return 1;
  }
  std::vector<platform::pe_resource_input> resources;
  std::map<std::uint16_t, std::wstring> strings;
  for (const manifest_string_entry& s : manifest.strings) strings[s.id] = s.text;
  for (auto& [block, bytes] : platform::string_blocks(strings)) {
    resources.push_back({platform::rt::string, block, platform::default_resource_language, std::move(bytes)});
  }
  const std::size_t string_block_count = resources.size();
  // Icon files given as groups: their images take the icon ids after every one the manifest names.
  std::uint32_t next_icon_id = 1;
  for (const manifest_file_entry& entry : manifest.files) {
    if (entry.type == platform::resource_name(platform::rt::icon) && entry.id.is_number()) {
      next_icon_id = std::max<std::uint32_t>(next_icon_id, entry.id.number() + 1u);
    }
  }
  for (const manifest_file_entry& entry : manifest.files) {
    for (std::size_t i = 0; i < string_block_count; ++i) {
      if (resources[i].type == entry.type && resources[i].id == entry.id) {
        std::fprintf(stderr, "%s:%zu: resource %s %s is also a block of the string entries\n",
                     manifest_path.string().c_str(), entry.line, entry.type.to_string().c_str(),
                     entry.id.to_string().c_str());
        return 1;
      }
    }
    platform::pe_resource_input input{entry.type, entry.id, platform::default_resource_language, {}};
    if (!entry_bytes(folder, entry, input.data)) return 1;
    if (entry.type == platform::resource_name(platform::rt::group_icon)) {
      platform::icon_file_resources icons;
      if (next_icon_id > 0xFFFF ||
          platform::split_icon_file(input.data, static_cast<std::uint16_t>(next_icon_id), icons) != zq::rc::ok) {
        std::fprintf(stderr, "%s:%zu: %s is no icon file\n", manifest_path.string().c_str(), entry.line,
                     entry.file.c_str());
        return 1;
      }
      for (std::vector<std::uint8_t>& image : icons.images) {
        resources.push_back({platform::rt::icon, static_cast<std::uint16_t>(next_icon_id++),
                             platform::default_resource_language, std::move(image)});
      }
      input.data = std::move(icons.group);
    }
    resources.push_back(std::move(input));
  }
  std::vector<std::uint8_t> image;
  if (const zq::result_t rc = platform::write_pe_library(resources, image); rc != zq::rc::ok) return fail(rc);
  // The sibling-and-rename write leaves the old library or the new one, never a torn one.
  if (const int rc = xman::replace_file(platform::device_path(std::filesystem::path(output)), image); rc != 0) {
    return fail(rc);
  }
  return 0;
}

int list(const std::string& file) {
  platform::module library;
  if (const zq::result_t rc = platform::load_module_file(platform::device_path(std::filesystem::path(file)), library);
      rc != zq::rc::ok) {
    return fail(rc);
  }
  for (const platform::module_resource& r : library.resources()) {
    std::printf("%s %s %zu\n", r.type.to_string().c_str(), r.id.to_string().c_str(), r.data.size());
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int run_skin(const arguments& args) {
  if (args.size() == 3 && args[0] == "build") return build(args[1], args[2]);
  if (args.size() == 2 && args[0] == "list") return list(args[1]);
  return usage(skin_usage);
}

}  // namespace zqtool
