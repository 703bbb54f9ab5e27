#include "storage/room_document.h"

#include "storage/meta_input_buffer.h"
#include "storage/meta_omemstream.h"
#include "storage/meta_reader.h"
#include "storage/meta_writer.h"
#include "storage/room_handlers.h"

namespace xman {

zq::result_t read_room_document(std::span<const std::uint8_t> bytes, remote::room_state& room,
                                const codebase_catalog* codebases) {
  const std::unique_ptr<meta::detail::reader_impl> reader = meta::detail::create_reader();
  remote::wc_room_handler handler(room, codebases);
  handler.attach_root(*reader);
  meta::input_buffer input{bytes.data(), bytes.size(), 0};
  const zq::result_t result = meta::parse(*reader, input);
  return result == zq::rc::ok ? zq::rc::ok : zq::rc::malformed_document;
}

zq::result_t write_room_document(const remote::room_state& room, std::vector<std::uint8_t>& out) {
  out.clear();
  meta::omemstream stream;
  {
    meta::simple::writer writer(stream);
    // The handler binds a room it may fill; writing only reads it, so a copy serves.
    remote::room_state source = room;
    remote::wc_room_handler(source, nullptr).write_to(writer);
  }
  if (stream.failed()) return zq::rc::document_incomplete;
  out.assign(stream.bytes().begin(), stream.bytes().end());
  return zq::rc::ok;
}

}  // namespace xman
