#include "storage/meta_indexed_document.h"

#include "storage/meta_format.h"

namespace meta {

indexed_document_writer::indexed_document_writer() : writer_(body_stream_) { writer_.set_names_table(&names_); }

zq::result_t indexed_document_writer::finish(std::vector<std::uint8_t>& out) {
  out.clear();
  omemstream head_stream;
  {
    simple::writer head(head_stream);
    head.write_start(names_element);
    for (std::size_t index = 1; index <= names_.size(); ++index) {
      name_ref name;
      names_.find(static_cast<std::uint16_t>(index), name);
      head.write_content(value::of_string(name.text, name.length));
    }
    head.write_end();
  }
  if (head_stream.failed() || body_stream_.failed()) return zq::rc::document_incomplete;
  out.reserve(head_stream.size() + body_stream_.size());
  out.insert(out.end(), head_stream.data(), head_stream.data() + head_stream.size());
  out.insert(out.end(), body_stream_.data(), body_stream_.data() + body_stream_.size());
  return zq::rc::ok;
}

}  // namespace meta
