// zqtool codebase create DIR NAME [--pattern SKIN:ID] [--archive CATEGORY/BRAND/MODEL [--archive-file FILE]]
//
// SKIN is a skin library file or the name of one in the Skins folder beside zqtool ("zq-skin-metalic"); ID is a
// pattern identifier of its catalogue, looked for among the patterns of the archive category
// (or among those offered for "*" without --archive). The archive is zq-ir-archive.pdb beside
// zqtool unless --archive-file names one. Category and brand names may hold "/": the words are
// matched against the archive's names, not split blindly.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "codebase_create_command.h"
#include "codebase_file.h"
#include "command_options.h"
#include "platform/file_system.h"
#include "platform/program_folder.h"
#include "storage/codebase_catalog.h"
#include "storage/database_catalog.h"
#include "storage/ir_archive.h"
#include "storage/meta_omemstream.h"
#include "storage/meta_writer.h"
#include "storage/pattern_catalogue.h"

namespace zqtool {
namespace {

constexpr const char* kCreateUsage =
    "codebase create DIR NAME [--pattern SKIN:ID] [--archive CATEGORY/BRAND/MODEL [--archive-file FILE]]";

// The smallest layout document: an element "remote" with neither attributes nor content.
zq::result_t empty_layout(std::vector<std::uint8_t>& out) {
  meta::omemstream stream;
  {
    meta::simple::writer writer(stream);
    writer.write_start("remote");
    writer.write_end();
  }
  if (stream.failed()) return zq::rc::document_incomplete;
  out.assign(stream.bytes().begin(), stream.bytes().end());
  return zq::rc::ok;
}

// A file given by path, else NAME (or NAME.dll) in zqtool's folder or the given subfolder of it.
std::wstring shipped_file(const std::string& given, const char* extension, std::wstring_view subfolder = L"") {
  const std::filesystem::path path(given);
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) return platform::device_path(std::filesystem::absolute(path));
  const std::string name = given.ends_with(extension) ? given : given + extension;
  return platform::program_folder() + std::wstring(subfolder) + L"\\" + std::wstring(name.begin(), name.end());
}

// The model named by "CATEGORY/BRAND/MODEL": its index in the archive's model list, or nullopt.
std::optional<int> find_model(xman::ir_archive& archive, const std::string& wanted, std::string& category) {
  const std::vector<std::string> categories = archive.categories();
  for (std::size_t c = 0; c < categories.size(); ++c) {
    if (!wanted.starts_with(categories[c] + "/")) continue;
    const std::string after_category = wanted.substr(categories[c].size() + 1);
    const std::vector<std::string> brands = archive.brands(static_cast<int>(c));
    for (std::size_t b = 0; b < brands.size(); ++b) {
      if (!after_category.starts_with(brands[b] + "/")) continue;
      const std::vector<std::string> models = archive.models(static_cast<int>(b));
      for (std::size_t m = 0; m < models.size(); ++m) {
        if (after_category.substr(brands[b].size() + 1) != models[m]) continue;
        category = categories[c];
        return static_cast<int>(m);
      }
    }
  }
  return std::nullopt;
}

}  // namespace

int create_codebase(const arguments& args) {
  command_options options;
  if (!read_command_options(args, 1, {"--pattern", "--archive", "--archive-file"}, {}, options) ||
      options.positional.size() != 2 || options.positional[1].empty() ||
      (options.has("--archive-file") && !options.has("--archive"))) {
    return usage(kCreateUsage);
  }
  const std::string& name = options.positional[1];

  std::vector<std::vector<std::uint8_t>> signals;
  std::string category = "*";
  xman::ir_archive archive;
  if (const std::optional<std::string> wanted = options.value("--archive")) {
    const std::wstring file = options.has("--archive-file") ? shipped_file(*options.value("--archive-file"), ".pdb")
                                                            : shipped_file("zq-ir-archive", ".pdb");
    if (const zq::result_t rc = archive.open_file(file); rc != zq::rc::ok) {
      std::fprintf(stderr, "%s: cannot be opened as an IR archive\n", platform::host_path(file).string().c_str());
      return fail(rc);
    }
    const std::optional<int> model = find_model(archive, *wanted, category);
    if (!model) {
      std::fprintf(stderr, "%s: no such CATEGORY/BRAND/MODEL in the archive\n", wanted->c_str());
      return 1;
    }
    for (const std::span<const std::uint8_t> record : archive.model_signals(*model)) {
      signals.emplace_back(record.begin(), record.end());
    }
  }

  std::vector<std::uint8_t> layout;
  if (const std::optional<std::string> pattern = options.value("--pattern")) {
    const std::size_t colon = pattern->rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == pattern->size()) return usage(kCreateUsage);
    const std::string id = pattern->substr(colon + 1);
    const std::wstring skin = shipped_file(pattern->substr(0, colon), ".dll", L"\\Skins");
    xman::pattern_catalogue catalogue;
    if (const zq::result_t rc = catalogue.load(skin); rc != zq::rc::ok) {
      std::fprintf(stderr, "%s: cannot be loaded as a skin\n", platform::host_path(skin).string().c_str());
      return fail(rc);
    }
    const xman::pattern_list& patterns = catalogue.patterns(category);
    std::span<const std::uint8_t> document;
    std::size_t index = 0;
    while (index < patterns.ids.size() && patterns.ids[index] != id) ++index;
    if (index == patterns.ids.size() || catalogue.pattern_layout(index, document) != zq::rc::ok) {
      std::fprintf(stderr, "%s: no pattern %s for category %s\n", platform::host_path(skin).string().c_str(),
                   id.c_str(), category.c_str());
      return 1;
    }
    layout.assign(document.begin(), document.end());
  } else if (const zq::result_t rc = empty_layout(layout); rc != zq::rc::ok) {
    return fail(rc);
  }

  xman::database_catalog catalog;
  set_up_folder(catalog, absolute_path(options.positional[0]));
  if (const zq::result_t rc = xman::codebase_catalog(catalog).create(name, layout, signals); rc != zq::rc::ok) {
    return fail(rc);
  }
  const std::optional<std::wstring> path = catalog.path_of(name);
  if (!path) return fail(zq::rc::not_found);
  std::printf("%s\n", platform::host_path(*path).string().c_str());
  return 0;
}

}  // namespace zqtool
