#include "platform/host_object_name.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "base/text_conversion.h"

namespace platform {

std::string host_object_name(std::wstring_view name) {
  std::string text_of_name = zq::wide_to_utf8(name);
  if (const char* space = std::getenv("ZEQUON_NAMESPACE"); space != nullptr && *space != '\0')
    text_of_name = std::string(space) + "\n" + text_of_name;
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : text_of_name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return std::string("zequon-") + text;
}

}  // namespace platform
