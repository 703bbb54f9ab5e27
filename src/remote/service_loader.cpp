#include "remote/service_loader.h"

#include <memory>
#include <string_view>
#include <utility>

#include "remote/proxy_fragment_loader.h"
#include "remote/service_loader_handler.h"
#include "storage/meta_format.h"
#include "storage/meta_names_table.h"
#include "storage/meta_reader.h"
#include "storage/meta_value_decoder.h"

namespace remote {

zq::result_t load_service_pages(std::span<const std::uint8_t> document, int screen_class, service_pages& pages,
                                service_document_info& info) {
  pages.clear();
  info = service_document_info{};
  auto names = std::make_shared<meta::names_table>();
  auto reader = meta::detail::create_reader();
  reader->set_names_table(names.get());
  service_loader loader(*reader, names, screen_class, pages, info);
  reader->set_handler(&loader);
  meta::input_buffer input{document.data(), document.size(), 0};
  if (meta::parse(*reader, input) != 0 && !loader.finished()) {
    pages.clear();
    info = service_document_info{};
    return -1;
  }
  // Elements of an implicit layout standing at the top level, without a root around them.
  loader.close_layout();
  return 0;
}

zq::result_t read_button_fragment(const button_fragment& fragment, button_record& out) {
  out = button_record{};
  if (fragment.empty() || fragment.bytes[0] != meta::tag::element_start) return -1;
  auto reader = meta::detail::create_reader();
  // The reader fills a names table only from a "?names" element at the start of a parse; a
  // button's element is never one, so the document's shared table is only read.
  if (fragment.names) reader->set_names_table(const_cast<meta::names_table*>(fragment.names.get()));
  std::size_t position = 1;
  meta::name_ref first;
  if (!meta::detail::decode_name(fragment.bytes, fragment.size, position, reader->names(), first)) return -1;
  if (first.view() == std::string_view(meta::names_element, meta::names_element_length - 1)) return -1;

  button_record record;
  proxy_fragment_loader loader(record, fragment.fit);
  reader->set_handler(&loader);
  meta::input_buffer input{fragment.bytes, fragment.size, 0};
  meta::parse(*reader, input);
  if (!loader.finished()) return -1;
  out = std::move(record);
  return 0;
}

}  // namespace remote
