#include "storage/file_replacement.h"

#include "platform/file_system.h"

namespace xman {

std::wstring replacement_path(std::wstring_view path) { return std::wstring(path) + L".new"; }

int replace_file(std::wstring_view path, std::span<const std::uint8_t> content) {
  const std::wstring sibling = replacement_path(path);
  platform::file out;
  // A sibling left by an earlier crash is overwritten.
  int error = platform::open_file(sibling, platform::file_access_t::read_write,
                                  platform::file_create_t::create_always, out);
  if (error != 0) return error;
  error = platform::write_file_at(out, 0, content.data(), content.size());
  if (error == 0) error = platform::flush_file(out);
  out.close();
  if (error == 0) error = platform::rename_file(sibling, path);
  if (error != 0) (void)platform::delete_file(sibling);
  return error;
}

}  // namespace xman
