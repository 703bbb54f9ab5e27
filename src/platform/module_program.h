// The program's own module: the resources compiled into the program (string table, menus, dialog
// templates, icons, sounds, bitmaps, custom types). The build embeds them with the CMake helpers
// of cmake/zq_embed.cmake, whose generated sources register them here before main runs.
#pragma once

#include <cstddef>

#include "platform/module.h"

namespace platform {

// The program's module. Resources registered later (by code that runs before main) join it too.
module& program_module();

// Registers one embedded resource; type and id are a decimal number or a name.
class program_resource {
 public:
  program_resource(const char* type, const char* id, const unsigned char* data, std::size_t size);
};

// Registers every resource of an embedded resource library image (a resource folder built into a
// library at build time). The bytes are the program's, so they outlive the module.
class program_resource_library {
 public:
  program_resource_library(const unsigned char* image, std::size_t size);
};

}  // namespace platform
