#include "platform/system_port_request.h"

#include <cstring>

namespace platform {

namespace {

constexpr char magic[4] = {'Z', 'Q', 'S', 'P'};

template <typename T>
void put(std::vector<std::uint8_t>& out, std::size_t at, T value) {
  std::memcpy(out.data() + at, &value, sizeof value);
}

template <typename T>
T get(std::span<const std::uint8_t> in, std::size_t at) {
  T value{};
  std::memcpy(&value, in.data() + at, sizeof value);
  return value;
}

bool has_magic(std::span<const std::uint8_t> bytes) { return std::memcmp(bytes.data(), magic, sizeof magic) == 0; }

}  // namespace

std::vector<std::uint8_t> encode_system_request(const system_request& request) {
  std::vector<std::uint8_t> out(system_request_size, 0);
  std::memcpy(out.data(), magic, sizeof magic);
  put(out, 4, static_cast<std::uint32_t>(request.kind));
  put(out, 8, handle_value(request.window));
  put(out, 12, request.message);
  put(out, 16, static_cast<std::uint64_t>(request.wparam));
  put(out, 24, static_cast<std::int64_t>(request.lparam));
  return out;
}

std::optional<system_request> decode_system_request(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != system_request_size || !has_magic(bytes)) return std::nullopt;
  const auto kind = get<std::uint32_t>(bytes, 4);
  if (kind != static_cast<std::uint32_t>(system_request_t::query) &&
      kind != static_cast<std::uint32_t>(system_request_t::post))
    return std::nullopt;
  system_request request;
  request.kind = static_cast<system_request_t>(kind);
  request.window = hwnd_of(get<std::uint32_t>(bytes, 8));
  request.message = get<std::uint32_t>(bytes, 12);
  request.wparam = static_cast<wparam_t>(get<std::uint64_t>(bytes, 16));
  request.lparam = static_cast<lparam_t>(get<std::int64_t>(bytes, 24));
  return request;
}

std::vector<std::uint8_t> encode_system_answer(std::uint32_t state) {
  std::vector<std::uint8_t> out(system_answer_size, 0);
  std::memcpy(out.data(), magic, sizeof magic);
  put(out, 4, state);
  return out;
}

std::optional<std::uint32_t> decode_system_answer(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != system_answer_size || !has_magic(bytes)) return std::nullopt;
  return get<std::uint32_t>(bytes, 4);
}

}  // namespace platform
