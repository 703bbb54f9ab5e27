// Layout documents for the remote model's tests, written in the document text form and compiled.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zqtest {

// One "button" (or "label") element: rectangle in design pixels, face profile, action and title.
std::string button_text(int x, int y, int w, int h, std::string_view action, std::string_view title = {},
                        int profile = 1000, bool label = false);

// A "remote" document with one 240-based portrait layout whose pages hold the given button texts.
std::string portrait_document(const std::vector<std::vector<std::string>>& pages, std::string_view skin = {});

// The bytes of a document text; the test fails when it does not compile.
std::vector<std::uint8_t> compiled(std::string_view text);

}  // namespace zqtest
