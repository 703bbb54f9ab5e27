// Writing a resource-only PE32 library: headers, one ".rsrc" section, no code and no entry point,
// in the form the handheld's loader and standard resource tools read.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"
#include "platform/resource_name.h"

namespace platform {

// US English, the language the libraries are written in.
inline constexpr std::uint16_t default_resource_language = 0x0409;

struct pe_resource_input {
  resource_name type;
  resource_name id;
  std::uint16_t language = default_resource_language;
  std::vector<std::uint8_t> data;
};

// The image of a library holding these resources; the same (type, id, language) must not appear
// twice. 0, or zq::rc::resource_too_large when the image would exceed the library size limit.
[[nodiscard]] zq::result_t write_pe_library(std::span<const pe_resource_input> resources,
                                            std::vector<std::uint8_t>& image);

}  // namespace platform
