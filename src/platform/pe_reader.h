// Reading the resource directory of a PE32 library image. Every structure is checked against the
// image's bounds before it is read; any damage rejects the whole image.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"
#include "platform/resource_name.h"

namespace platform {

struct pe_resource {
  resource_name type;
  resource_name id;
  std::uint16_t language = 0;
  std::uint32_t offset = 0;  // of the data within the image
  std::uint32_t size = 0;
};

// The resources of an image, in directory order: 0, or zq::rc::resource_file_damaged (resources
// empty) when the image is not a PE32 image or any part of it lies outside the image or is malformed.
[[nodiscard]] zq::result_t read_pe_resources(std::span<const std::uint8_t> image, std::vector<pe_resource>& resources);

}  // namespace platform
