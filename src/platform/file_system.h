// The one seam through which the program touches files. Paths are the handheld's: wide text with
// backslash separators; they are mapped onto the host's file system here and nowhere else.
//
// Every operation that can fail is counted, so that a test can make the n-th operation from now
// fail (once, or from then on as a crash would) and check that no stored file was lost or torn.
// Operations return 0 or the host's error number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A handheld path beginning with a backslash is taken from the device root ("/" unless set).
void set_device_root(const std::filesystem::path& root);
std::filesystem::path host_path(std::wstring_view device_path);
// The handheld form of a host path: separators become backslashes.
std::wstring device_path(const std::filesystem::path& host);

enum class file_access_t { read_only, read_write };
enum class file_create_t {
  open_existing,  // fail when the file is missing
  create_new,     // fail when the file exists
  create_always,  // create or empty an existing file
};

// An open file; closes itself. Move-only.
class file {
 public:
  file() = default;
  ~file();
  file(file&& other) noexcept;
  file& operator=(file&& other) noexcept;
  file(const file&) = delete;
  file& operator=(const file&) = delete;

  bool is_open() const { return fd_ >= 0; }
  int descriptor() const { return fd_; }
  void close();

 private:
  friend int open_file(std::wstring_view, file_access_t, file_create_t, file&);
  int fd_ = -1;
};

[[nodiscard]] int open_file(std::wstring_view path, file_access_t access, file_create_t create, file& out);
// Reads up to size bytes at offset; got tells how many arrived (fewer only at the end of the file).
[[nodiscard]] int read_file_at(const file& f, std::uint64_t offset, void* buffer, std::size_t size,
                               std::size_t& got);
[[nodiscard]] int write_file_at(const file& f, std::uint64_t offset, const void* data, std::size_t size);
[[nodiscard]] int file_size(const file& f, std::uint64_t& size);
[[nodiscard]] int truncate_file(const file& f, std::uint64_t size);
// Makes the file's content durable.
[[nodiscard]] int flush_file(const file& f);
// Replaces `to` if it exists; the change of name is made durable.
[[nodiscard]] int rename_file(std::wstring_view from, std::wstring_view to);
[[nodiscard]] int delete_file(std::wstring_view path);
// Copies a file; fails with EEXIST when the target exists. A failed copy leaves no target behind.
[[nodiscard]] int copy_file(std::wstring_view from, std::wstring_view to);
// Normal attributes: clears read-only.
[[nodiscard]] int set_normal_attributes(std::wstring_view path);
[[nodiscard]] int create_directory(std::wstring_view path);
// Removes an empty folder.
[[nodiscard]] int remove_directory(std::wstring_view path);

// The handheld's attribute bits of a file or folder.
namespace file_attribute {
inline constexpr std::uint32_t read_only = 0x01;
inline constexpr std::uint32_t hidden = 0x02;
inline constexpr std::uint32_t directory = 0x10;
inline constexpr std::uint32_t normal = 0x80;  // none of the others
}  // namespace file_attribute

// The attributes of a file or folder: read-only when its owner may not write it, hidden when its
// name starts with a dot (the host's convention for hidden entries), directory for a folder.
[[nodiscard]] int file_attributes(std::wstring_view path, std::uint32_t& attributes);

// One entry of a folder enumeration.
struct found_file {
  std::wstring name;  // the name only, not the path
  std::uint32_t attributes = file_attribute::normal;
  std::uint64_t size = 0;  // 0 for a folder
};

// The entries of a folder whose names match a pattern ("*" and "?", case-insensitive, see
// file_name_pattern.h), given as one path whose last part is the pattern: "\\Skins\\*.dll".
// Folders are included, "." and ".." never; sorted by name in byte order. A missing folder is an
// error; a folder without a match gives 0 and no entries.
[[nodiscard]] int find_files(std::wstring_view pattern_path, std::vector<found_file>& found);

// Names (not paths) of the regular files in folder whose names end with suffix (compared without
// regard to case, as the handheld does), in byte order.
[[nodiscard]] int enumerate_files(std::wstring_view folder, std::wstring_view suffix,
                                  std::vector<std::wstring>& names);
// A query, not counted and never failed on purpose.
bool path_exists(std::wstring_view path);

// Reads a whole file into memory.
[[nodiscard]] int read_whole_file(std::wstring_view path, std::vector<std::uint8_t>& content);

// Fault injection for tests.
namespace file_faults {
// Arms a failure of the n-th counted operation from now (1-based); with sticky set, every later
// operation fails too, as if the process had died there. 0 disarms.
void fail_operation(long n, bool sticky = false);
// Counted operations since the last reset.
long operations();
void reset();
}  // namespace file_faults

}  // namespace platform
