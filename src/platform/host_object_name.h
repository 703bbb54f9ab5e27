// The host's name for a named object of the handheld (a mutex, a shared memory block): "zequon-"
// and a 64-bit FNV-1a hash of the name's UTF-8 text in hexadecimal. Any name (slashes, braces, any
// length) thus gives a short name that is valid for a file and for POSIX shared memory. With
// ZEQUON_NAMESPACE set, its value goes into the hash: emulated handhelds of different namespaces
// (tests running side by side) never see each other's objects.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string host_object_name(std::wstring_view name);

}  // namespace platform
