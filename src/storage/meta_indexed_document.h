// Writing an indexed document: the body is written through a writer that numbers names in order of
// first use; the finished document is a "?names" element (written with an inline name) holding one
// string per name in index order, followed by the body.
//
//   meta::indexed_document_writer doc;
//   doc.body().write_start("page");  ...  doc.body().write_end();
//   std::vector<std::uint8_t> bytes;
//   if (doc.finish(bytes) != 0) ...   // memory ran out: the document is incomplete
#pragma once

#include <cstdint>
#include <vector>

#include "base/result.h"
#include "storage/meta_names_table.h"
#include "storage/meta_omemstream.h"
#include "storage/meta_writer.h"

namespace meta {

class indexed_document_writer {
 public:
  indexed_document_writer();
  indexed_document_writer(const indexed_document_writer&) = delete;
  indexed_document_writer& operator=(const indexed_document_writer&) = delete;

  // Receives the events of the body.
  simple::writer& body() { return writer_; }
  const names_table& names() const { return names_; }

  // The whole document: 0, or zq::rc::document_incomplete when memory ran out (out is then
  // empty). The body may not be written further afterwards.
  [[nodiscard]] zq::result_t finish(std::vector<std::uint8_t>& out);

 private:
  omemstream body_stream_;
  names_table names_;
  simple::writer writer_;
};

}  // namespace meta
