#include "remote/layout_set.h"

#include <string>
#include <utility>

#include "remote/constructor_loader.h"
#include "remote/screen_fit.h"
#include "storage/meta_reader.h"

namespace remote {

zq::result_t read_layout_set(std::span<const std::uint8_t> document, layout_set& out) {
  // Read into a fresh set, so that a document that fails half way leaves out as it was.
  layout_set read;
  constructor_loader loader(read);
  auto reader = meta::detail::create_reader();
  reader->set_handler(&loader);
  meta::input_buffer input{document.data(), document.size(), 0};
  if (meta::parse(*reader, input) != 0) return -1;
  read.loaded = true;
  read.current_page = 0;
  out = std::move(read);
  return 0;
}

void choose_current_layout(layout_set& set, int screen_class) {
  screen_fit fit = fit_for_screen_class(screen_class);
  bool chosen = false;
  for (std::size_t i = 0; i < set.layouts.size(); ++i) {
    if (offer_layout(fit, set.layouts[i].base, set.layouts[i].orientation)) {
      set.current_layout = static_cast<std::int32_t>(i);
      chosen = true;
    }
  }
  if (!chosen) {
    layout_entry empty;
    empty.orientation = std::string(orientation_name(fit.target_orientation));
    empty.base = fit.target_base;
    set.layouts.push_back(std::move(empty));
    set.current_layout = static_cast<std::int32_t>(set.layouts.size()) - 1;
  }
  const auto page_count = static_cast<std::int64_t>(set.layouts[static_cast<std::size_t>(set.current_layout)].pages.size());
  if (set.current_page < 0 || set.current_page >= page_count) set.current_page = 0;
}

}  // namespace remote
