// The room document of the main profile and of saved preferences (see room_handlers.h for its
// elements), read into and written from a room_state. Written without a names table.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"
#include "storage/codebase_catalog.h"
#include "storage/room_state.h"

namespace xman {

// Reads a room document into room. codebases: the catalog hot-list entries are checked against
// (null: none is). 0, or -1 for a malformed document; what was read before the fault stays in room.
[[nodiscard]] zq::result_t read_room_document(std::span<const std::uint8_t> bytes, remote::room_state& room,
                                              const codebase_catalog* codebases);

// The document of room: 0, or -2 when memory ran out (out is then left empty).
[[nodiscard]] zq::result_t write_room_document(const remote::room_state& room, std::vector<std::uint8_t>& out);

}  // namespace xman
