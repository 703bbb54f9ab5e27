#include "platform/module_program.h"

#include <cassert>
#include <span>
#include <vector>

#include "platform/pe_reader.h"

namespace platform {

module& program_module() {
  static module program;
  return program;
}

program_resource::program_resource(const char* type, const char* id, const unsigned char* data, std::size_t size) {
  program_module().add(resource_name::parse(type), resource_name::parse(id), std::span(data, size));
}

program_resource_library::program_resource_library(const unsigned char* image, std::size_t size) {
  const std::span<const std::uint8_t> bytes(image, size);
  std::vector<pe_resource> found;
  const zq::result_t result = read_pe_resources(bytes, found);
  assert(result == zq::rc::ok && "the build embedded a damaged resource library");
  (void)result;
  for (const pe_resource& r : found) program_module().add(r.type, r.id, bytes.subspan(r.offset, r.size));
}

}  // namespace platform
