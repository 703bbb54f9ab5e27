// Reading a page document (a skin's service page or a codebase's layouts) into a service's pages:
// the layout that suits the screen is chosen as the document is read, its buttons are appended with
// their rectangles scaled to the screen, and reading stops once a perfect layout has been read.
// Buttons keep pointers into the document bytes (their fragments), so the bytes must outlive them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "remote/button.h"
#include "remote/button_record.h"
#include "remote/screen_fit.h"

namespace remote {

struct service_pages {
  std::vector<button> buttons;
  // One index into buttons per page plus a final end; page i holds [starts[i], starts[i + 1]).
  std::vector<std::int32_t> page_starts;
  std::vector<std::int32_t> backgrounds;  // one background profile per page

  std::int32_t page_count() const {
    return page_starts.empty() ? 0 : static_cast<std::int32_t>(page_starts.size()) - 1;
  }
  void clear() {
    buttons.clear();
    page_starts.clear();
    backgrounds.clear();
  }
};

// What the document's root says about the service.
struct service_document_info {
  bool has_skin = false;
  std::string skin;
  bool has_name = false;
  std::string name;
};

// Reads document into pages for the given screen class (pages is cleared first). The fragments of
// the buttons point into document. 0, or the reader's failure (-1) with pages cleared.
[[nodiscard]] zq::result_t load_service_pages(std::span<const std::uint8_t> document, int screen_class,
                                              service_pages& pages, service_document_info& info);

// Reads one button's element again, from its fragment, into a record with the defaults; offsets
// are scaled to the screen. 0 or -1 when the fragment cannot be read.
[[nodiscard]] zq::result_t read_button_fragment(const button_fragment& fragment, button_record& out);

}  // namespace remote
