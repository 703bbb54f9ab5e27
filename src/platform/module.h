// A module holds resources: the program itself (resources compiled into it, see module_program.h)
// or a resource-only library read from a file (a skin). Resources are found by type and id; string
// tables, images and wave sounds have their own accessors. Images are decoded once per module and
// id and kept for the module's life.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "platform/pixel_surface.h"
#include "platform/resource_name.h"

namespace platform {

// The resource type of wave sounds.
inline const resource_name wave_resource_type{"WAVE"};
// Types searched for an image id, in this order: bitmaps, then PNG and GIF resources.
inline const resource_name png_resource_type{"PNG"};
inline const resource_name gif_resource_type{"GIF"};

struct module_resource {
  resource_name type;
  resource_name id;
  std::uint16_t language = 0;
  std::span<const std::uint8_t> data;
};

class module {
 public:
  module() = default;
  module(module&&) noexcept = default;
  module& operator=(module&&) noexcept = default;
  module(const module&) = delete;
  module& operator=(const module&) = delete;

  // A library from its bytes: 0 or zq::rc::resource_file_damaged (the module is then empty).
  [[nodiscard]] zq::result_t load_image(std::vector<std::uint8_t> image);
  // Adds a resource whose bytes outlive the module (resources compiled into the program).
  void add(const resource_name& type, const resource_name& id, std::span<const std::uint8_t> data);

  // Every resource, in library order.
  const std::vector<module_resource>& resources() const { return resources_; }
  // The first resource of that type and id in any language, or null.
  const module_resource* find(const resource_name& type, const resource_name& id) const;
  // A resource's bytes: 0 or zq::rc::resource_not_found.
  [[nodiscard]] zq::result_t load(const resource_name& type, const resource_name& id,
                                  std::span<const std::uint8_t>& data) const;
  // A resource's size in bytes, 0 when there is none.
  std::uint32_t size_of(const resource_name& type, const resource_name& id) const;

  // String string_id of the string table: 0, zq::rc::resource_not_found (no such string, or an
  // empty one) or zq::rc::resource_damaged.
  [[nodiscard]] zq::result_t load_string(std::uint16_t string_id, std::wstring& text) const;
  // The decoded image with this id (a bitmap, PNG or GIF resource), decoded on first use. 0 with
  // image pointing into the module's cache, zq::rc::resource_not_found, or the decoder's failure.
  [[nodiscard]] zq::result_t image(const resource_name& id, const pixel_surface*& image);
  // The bytes of a wave sound resource (a RIFF WAVE file): 0, zq::rc::resource_not_found, or
  // zq::rc::resource_damaged when the bytes are not a RIFF WAVE file.
  [[nodiscard]] zq::result_t wave(const resource_name& id, std::span<const std::uint8_t>& sound) const;

 private:
  std::vector<std::uint8_t> image_;  // the library's bytes; resources point into them
  std::vector<module_resource> resources_;
  std::map<resource_name, std::unique_ptr<pixel_surface>> images_;
};

// Reads a library file through the file seam: 0, the system's error number, or
// zq::rc::resource_file_damaged / zq::rc::resource_too_large.
[[nodiscard]] zq::result_t load_module_file(std::wstring_view path, module& out);

}  // namespace platform
