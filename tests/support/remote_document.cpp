#include "support/remote_document.h"

#include <gtest/gtest.h>

#include "storage/meta_text.h"

namespace zqtest {

std::string button_text(int x, int y, int w, int h, std::string_view action, std::string_view title, int profile,
                        bool label) {
  std::string text = std::string(label ? "label" : "button") + " {\n";
  text += "x = int16 " + std::to_string(x) + "\ny = int16 " + std::to_string(y) + "\n";
  text += "w = int16 " + std::to_string(w) + "\nh = int16 " + std::to_string(h) + "\n";
  text += "profile = int16 " + std::to_string(profile) + "\n";
  if (!title.empty()) text += "title {\ntxt = string \"" + std::string(title) + "\"\n}\n";
  if (!action.empty()) text += "action {\nid = string \"" + std::string(action) + "\"\n}\n";
  return text + "}\n";
}

std::string portrait_document(const std::vector<std::vector<std::string>>& pages, std::string_view skin) {
  std::string text = "remote {\nversion = int16 300\n";
  if (!skin.empty()) text += "skin = string \"" + std::string(skin) + "\"\n";
  text += "layout {\nbase = int16 240\norient = string \"wm-portrait\"\n";
  for (const auto& page : pages) {
    text += "page {\n";
    for (const std::string& b : page) text += b;
    text += "}\n";
  }
  return text + "}\n}\n";
}

std::vector<std::uint8_t> compiled(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  meta::text_error error;
  EXPECT_EQ(meta::compile(text, {}, bytes, error), 0) << error.line << ": " << error.message;
  return bytes;
}

}  // namespace zqtest
