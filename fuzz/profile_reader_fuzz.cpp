// Reads arbitrary bytes as the room document of the main profile. Whatever the reader makes of
// them, writing the room and reading it back must give the same room once the reading rules have
// been applied once (a first write drops what the document form cannot hold).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "storage/room_document.h"

namespace {

remote::room_state read_back(const remote::room_state& room) {
  std::vector<std::uint8_t> document;
  if (xman::write_room_document(room, document) != zq::rc::ok) std::abort();
  remote::room_state out;
  if (xman::read_room_document(document, out, nullptr) != zq::rc::ok) std::abort();
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  remote::room_state room;
  (void)xman::read_room_document(std::vector<std::uint8_t>(data, data + size), room, nullptr);
  const remote::room_state settled = read_back(room);
  if (!(read_back(settled) == settled)) std::abort();
  return 0;
}
