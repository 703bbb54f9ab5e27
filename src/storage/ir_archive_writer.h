// Building an IR archive database (see ir_archive.h for the layout) from its content: records
// 1 .. C the categories, then the brands, then each model record followed by its signal records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace xman {

struct ir_archive_content {
  struct model {
    std::uint16_t category = 0;  // index into categories
    std::uint16_t brand = 0;     // index into brands
    std::string name;
    std::vector<std::vector<std::uint8_t>> signals;  // stored signal records, in the order given
  };
  std::vector<std::string> categories;
  std::vector<std::string> brands;
  std::vector<model> models;
};

// The database records of the archive. 1117 for a name holding a NUL, a model whose category or
// brand is not in the lists, or a signal record that is not a named signal record; 1114 when the
// records need numbers beyond 16 bits. out is replaced only on success.
[[nodiscard]] zq::result_t build_ir_archive_records(const ir_archive_content& content,
                                                    std::vector<std::vector<std::uint8_t>>& out);

// Stores the archive as the database "zq-ir-archive" ("zQed", "Idat", version 0) at path,
// replacing any file there all-or-nothing. The codes of build_ir_archive_records, or 1025 when the
// file cannot be stored.
[[nodiscard]] zq::result_t store_ir_archive(std::wstring_view path, const ir_archive_content& content);

}  // namespace xman
