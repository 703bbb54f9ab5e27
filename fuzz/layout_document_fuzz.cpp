// Fuzzes the layout document readers and writer.
//
// Each input is read as a page document for every screen class (and one unknown class); the pages
// must be consistent (page starts rising from 0 within the buttons, one background per page) and
// every button's fragment is read again as drawing does. The input is also read as a codebase
// layout document; a set that reads is chosen for a screen, written, and must read back to the
// same layouts, as must the page written on its own.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "remote/layout_set.h"
#include "remote/service_loader.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

void read_pages(std::span<const std::uint8_t> document, int screen_class) {
  remote::service_pages pages;
  remote::service_document_info info;
  if (remote::load_service_pages(document, screen_class, pages, info) != 0) {
    check(pages.buttons.empty() && pages.page_starts.empty() && pages.backgrounds.empty());
    return;
  }
  std::int32_t previous = 0;
  for (std::size_t i = 0; i < pages.page_starts.size(); ++i) {
    const std::int32_t start = pages.page_starts[i];
    check(i != 0 || start == 0);
    check(start >= previous && static_cast<std::size_t>(start) <= pages.buttons.size());
    previous = start;
  }
  check(pages.backgrounds.size() >= static_cast<std::size_t>(pages.page_count()));
  for (const remote::button& b : pages.buttons) {
    check(!b.fragment.empty());
    check(b.fragment.bytes >= document.data() && b.fragment.bytes + b.fragment.size == document.data() + document.size());
    remote::button_record record;
    // The fragment was recorded by a parse that went past the element's end, so it reads again.
    check(remote::read_button_fragment(b.fragment, record) == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> document(data, size);
  for (int screen_class : {0, 1, 2, 3, 4, 7}) read_pages(document, screen_class);

  remote::layout_set set;
  if (remote::read_layout_set(document, set) != 0) return 0;
  remote::choose_current_layout(set, static_cast<int>(size % 7));
  check(set.current_layout >= 0 && static_cast<std::size_t>(set.current_layout) < set.layouts.size());

  std::vector<std::uint8_t> page;
  check(remote::write_layout_page(set, page) == 0);
  remote::layout_set page_set;
  check(remote::read_layout_set(page, page_set) == 0);
  read_pages(page, static_cast<int>(size % 7));

  std::vector<std::uint8_t> written;
  check(remote::write_layout_set(set, written) == 0);
  remote::layout_set read;
  check(remote::read_layout_set(written, read) == 0);
  check(read.skin == set.skin && read.layouts.size() == set.layouts.size());
  return 0;
}
