// The host's name for a named object of the handheld (a mutex, a shared memory block): "zequon-"
// and a 64-bit FNV-1a hash of the name's UTF-8 text in hexadecimal. Any name (slashes, braces, any
// length) thus gives a short name that is valid for a file and for POSIX shared memory.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string host_object_name(std::wstring_view name);

}  // namespace platform
