// The manifest of a skin source folder ("manifest.txt"): which resources the library holds.
//
//   # a comment; blank lines are ignored
//   TYPE ID FILE              the file's bytes (path relative to the folder, no spaces)
//   TYPE ID FILE.meta         a document in `zqtool meta` text form, compiled
//   TYPE ID FILE.meta --names the same with its names numbered (as `zqtool meta compile --names`)
//   string ID "TEXT"          an entry of the string table; \" \\ \n \t are escapes, UTF-8 text
//
// An icon file (.ico) given as type 14 (icon group) is split as libraries store icons: each image
// becomes an icon resource (type 3) numbered after every icon the manifest names, and the group
// resource lists them.
// TYPE and ID are decimal numbers up to 65535 or names ("Sdat", "WAVE", "PNG"). A BMP file given
// as type 2 (bitmap) is stored without its 14-byte file header, as bitmap resources are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/resource_name.h"

namespace zqtool {

struct manifest_file_entry {
  platform::resource_name type;
  platform::resource_name id;
  std::string file;
  bool index_names = false;
  std::size_t line = 0;
};

struct manifest_string_entry {
  std::uint16_t id = 0;
  std::wstring text;
  std::size_t line = 0;
};

struct skin_manifest {
  std::vector<manifest_file_entry> files;
  std::vector<manifest_string_entry> strings;
};

struct manifest_error {
  std::size_t line = 0;
  std::string message;
};

// false with error filled when a line is not one of the forms above or a resource or string id
// appears twice.
[[nodiscard]] bool parse_skin_manifest(std::string_view text, skin_manifest& manifest, manifest_error& error);

}  // namespace zqtool
