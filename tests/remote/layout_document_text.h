// Layout documents for the tests, written in the text form of the document format and compiled by
// the storage layer's compiler (with a names table, as the editor writes them, or with inline
// names).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "storage/meta_text.h"

namespace zqtest {

inline std::vector<std::uint8_t> layout_document(std::string_view text, bool indexed = true) {
  std::vector<std::uint8_t> document;
  meta::text_error error;
  EXPECT_EQ(meta::compile(text, {indexed}, document, error), 0) << error.line << ": " << error.message;
  return document;
}

}  // namespace zqtest
