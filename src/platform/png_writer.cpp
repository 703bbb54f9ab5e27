#include "platform/png_writer.h"

#include <stb_image_write.h>

#include <cerrno>
#include <string>

#include "platform/file_system.h"

namespace platform {

namespace {

void append_bytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

int encode_png(const pixel_surface& image, std::vector<std::uint8_t>& png) {
  png.clear();
  if (image.width() == 0 || image.height() == 0) return EINVAL;
  std::vector<std::uint8_t> rgb_bytes;
  rgb_bytes.reserve(image.pixels().size() * 3);
  for (const std::uint32_t p : image.pixels()) {
    rgb_bytes.push_back(static_cast<std::uint8_t>(p >> 16));
    rgb_bytes.push_back(static_cast<std::uint8_t>(p >> 8));
    rgb_bytes.push_back(static_cast<std::uint8_t>(p));
  }
  if (stbi_write_png_to_func(append_bytes, &png, image.width(), image.height(), 3, rgb_bytes.data(),
                             image.width() * 3) == 0) {
    png.clear();
    return ENOMEM;
  }
  return 0;
}

int write_png(const pixel_surface& image, std::wstring_view path) {
  std::vector<std::uint8_t> png;
  if (const int rc = encode_png(image, png); rc != 0) return rc;
  const std::wstring sibling = std::wstring(path) + L".new";
  int rc = 0;
  {
    file f;
    rc = open_file(sibling, file_access_t::read_write, file_create_t::create_always, f);
    if (rc != 0) return rc;
    rc = write_file_at(f, 0, png.data(), png.size());
    if (rc == 0) rc = flush_file(f);
  }
  if (rc == 0) rc = rename_file(sibling, path);
  if (rc != 0) (void)delete_file(sibling);
  return rc;
}

}  // namespace platform
