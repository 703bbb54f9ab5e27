#include "platform/module.h"

#include <cstring>

#include "platform/file_system.h"
#include "platform/image_decoder.h"
#include "platform/pe_format.h"
#include "platform/pe_reader.h"
#include "platform/resource_string_table.h"

namespace platform {

zq::result_t module::load_image(std::vector<std::uint8_t> image) {
  *this = module();
  std::vector<pe_resource> found;
  if (const zq::result_t result = read_pe_resources(image, found); result != zq::rc::ok) return result;
  image_ = std::move(image);  // the buffer moves with the vector, so spans into it stay valid
  for (const pe_resource& r : found) {
    resources_.push_back({r.type, r.id, r.language, std::span(image_).subspan(r.offset, r.size)});
  }
  return zq::rc::ok;
}

void module::add(const resource_name& type, const resource_name& id, std::span<const std::uint8_t> data) {
  resources_.push_back({type, id, 0, data});
}

const module_resource* module::find(const resource_name& type, const resource_name& id) const {
  for (const module_resource& r : resources_) {
    if (r.type == type && r.id == id) return &r;
  }
  return nullptr;
}

zq::result_t module::load(const resource_name& type, const resource_name& id,
                          std::span<const std::uint8_t>& data) const {
  const module_resource* r = find(type, id);
  data = r != nullptr ? r->data : std::span<const std::uint8_t>();
  return r != nullptr ? zq::rc::ok : zq::rc::resource_not_found;
}

std::uint32_t module::size_of(const resource_name& type, const resource_name& id) const {
  const module_resource* r = find(type, id);
  return r != nullptr ? static_cast<std::uint32_t>(r->data.size()) : 0;
}

zq::result_t module::load_string(std::uint16_t string_id, std::wstring& text) const {
  text.clear();
  const module_resource* block = find(rt::string, string_block_of(string_id));
  if (block == nullptr) return zq::rc::resource_not_found;
  return string_from_block(block->data, string_id, text);
}

zq::result_t module::image(const resource_name& id, const pixel_surface*& image) {
  image = nullptr;
  if (const auto cached = images_.find(id); cached != images_.end()) {
    image = cached->second.get();
    return zq::rc::ok;
  }
  const module_resource* r = nullptr;
  for (const resource_name& type : {resource_name(rt::bitmap), png_resource_type, gif_resource_type}) {
    if ((r = find(type, id)) != nullptr) break;
  }
  if (r == nullptr) return zq::rc::resource_not_found;
  auto decoded = std::make_unique<pixel_surface>();
  if (const zq::result_t result = decode_image(r->data, *decoded); result != zq::rc::ok) return result;
  image = decoded.get();
  images_.emplace(id, std::move(decoded));
  return zq::rc::ok;
}

zq::result_t module::wave(const resource_name& id, std::span<const std::uint8_t>& sound) const {
  sound = {};
  const module_resource* r = find(wave_resource_type, id);
  if (r == nullptr) return zq::rc::resource_not_found;
  if (r->data.size() < 12 || std::memcmp(r->data.data(), "RIFF", 4) != 0 ||
      std::memcmp(r->data.data() + 8, "WAVE", 4) != 0) {
    return zq::rc::resource_damaged;
  }
  sound = r->data;
  return zq::rc::ok;
}

zq::result_t load_module_file(std::wstring_view path, module& out) {
  out = module();
  file f;
  if (const int error = open_file(path, file_access_t::read_only, file_create_t::open_existing, f); error != 0) {
    return error;
  }
  std::uint64_t size = 0;
  if (const int error = file_size(f, size); error != 0) return error;
  if (size > pe::max_file_size) return zq::rc::resource_too_large;
  std::vector<std::uint8_t> bytes(size);
  std::size_t got = 0;
  if (const int error = read_file_at(f, 0, bytes.data(), bytes.size(), got); error != 0) return error;
  bytes.resize(got);
  return out.load_image(std::move(bytes));
}

}  // namespace platform
