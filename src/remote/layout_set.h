// remote::layout_set: a codebase's layout document in memory, every layout with its pages and
// buttons in full, as the editor and the learn form work on it. Reading keeps design pixels (no
// layout choice, no scaling); the current layout is chosen for a screen afterwards.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "remote/button_record.h"

namespace remote {

struct layout_page {
  std::int32_t background = 1000;
  std::vector<button_record> buttons;
  friend bool operator==(const layout_page&, const layout_page&) = default;
};

struct layout_entry {
  std::string orientation = "wm-unknown";
  std::int32_t base = -1;
  std::vector<layout_page> pages;
  friend bool operator==(const layout_entry&, const layout_entry&) = default;
};

struct layout_set {
  std::vector<layout_entry> layouts;
  std::int32_t current_layout = 0;
  std::int32_t current_page = 0;
  std::string skin;
  bool loaded = false;
};

// Reads a codebase layout document: 0 or the reader's failure (-1); on success the set is marked
// loaded and its current page is 0.
[[nodiscard]] zq::result_t read_layout_set(std::span<const std::uint8_t> document, layout_set& out);

// Chooses the current layout for a screen class; when none fits, an empty layout for the screen is
// appended and chosen. A current page beyond the chosen layout's pages becomes 0.
void choose_current_layout(layout_set& set, int screen_class);

// The whole set as a document (every other layout first takes a copy of the current layout's base
// and pages, keeping its own orientation). 0 or the writer's failure.
[[nodiscard]] zq::result_t write_layout_set(layout_set& set, std::vector<std::uint8_t>& out);

// The current page of the current layout as a document of its own.
[[nodiscard]] zq::result_t write_layout_page(const layout_set& set, std::vector<std::uint8_t>& out);

}  // namespace remote
