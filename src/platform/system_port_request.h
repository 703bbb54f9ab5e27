// The requests a started program sends the program running the handheld through the system port,
// and the answers, as fixed-size datagrams in the host's byte order (both ends are this machine):
//
//   Offset  Size  Field
//   0       4     "ZQSP"
//   4       4     kind: 1 asks about a window, 2 posts a message to it
//   8       4     window handle
//   12      4     message (a post)
//   16      8     wparam (a post)
//   24      8     lparam (a post)
//
// The answer to a question is "ZQSP" and 4 bytes of state bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/window_messages.h"

namespace platform {

enum class system_request_t : std::uint32_t { query = 1, post = 2 };

struct system_request {
  system_request_t kind = system_request_t::query;
  hwnd window = no_window;
  std::uint32_t message = 0;
  wparam_t wparam = 0;
  lparam_t lparam = 0;
};

inline constexpr std::size_t system_request_size = 32;
inline constexpr std::size_t system_answer_size = 8;

// What a question learns of a window.
namespace window_state {
inline constexpr std::uint32_t exists = 1;
inline constexpr std::uint32_t visible = 2;
inline constexpr std::uint32_t foreground = 4;
}  // namespace window_state

std::vector<std::uint8_t> encode_system_request(const system_request& request);
// Nothing unless the bytes are one whole request of a known kind.
std::optional<system_request> decode_system_request(std::span<const std::uint8_t> bytes);

std::vector<std::uint8_t> encode_system_answer(std::uint32_t state);
std::optional<std::uint32_t> decode_system_answer(std::span<const std::uint8_t> bytes);

}  // namespace platform
