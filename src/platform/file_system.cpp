#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "base/text_conversion.h"
#include "platform/file_name_pattern.h"

namespace platform {
namespace {

std::filesystem::path g_device_root = "/";

long g_operations = 0;
long g_fail_at = 0;
bool g_sticky = false;

// Counts one operation; true when it is to fail.
bool injected_failure() {
  ++g_operations;
  if (g_fail_at == 0) return false;
  if (g_operations == g_fail_at) return true;
  return g_sticky && g_operations > g_fail_at;
}

constexpr int kInjectedError = EIO;

int last_error() { return errno != 0 ? errno : EIO; }

std::uint32_t attributes_of(const std::string& name, const struct stat& st) {
  std::uint32_t attributes = 0;
  if (S_ISDIR(st.st_mode)) attributes |= file_attribute::directory;
  if ((st.st_mode & S_IWUSR) == 0) attributes |= file_attribute::read_only;
  if (!name.empty() && name[0] == '.') attributes |= file_attribute::hidden;
  return attributes != 0 ? attributes : file_attribute::normal;
}

// The entries of a host folder matching pattern, sorted by name bytes; not counted.
int list_folder(const std::filesystem::path& folder, std::wstring_view pattern, std::vector<found_file>& found) {
  found.clear();
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return ec.value();
  std::vector<std::pair<std::string, found_file>> entries;
  for (const auto& entry : it) {
    std::string name = entry.path().filename().string();
    found_file file;
    file.name = zq::utf8_to_wide(name);
    if (!name_matches_pattern(file.name, pattern)) continue;
    struct stat st {};
    if (::stat(entry.path().c_str(), &st) != 0) continue;  // vanished, or a dangling link
    file.attributes = attributes_of(name, st);
    file.size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
    entries.emplace_back(std::move(name), std::move(file));
  }
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  found.reserve(entries.size());
  for (auto& entry : entries) found.push_back(std::move(entry.second));
  return 0;
}

}  // namespace

void set_device_root(const std::filesystem::path& root) { g_device_root = root; }

std::filesystem::path host_path(std::wstring_view device_path) {
  std::wstring text(device_path);
  std::replace(text.begin(), text.end(), L'\\', L'/');
  const std::string utf8 = zq::wide_to_utf8(text);
  if (!utf8.empty() && utf8[0] == '/' && g_device_root != "/") {
    return g_device_root / utf8.substr(1);
  }
  return std::filesystem::path(utf8);
}

std::wstring device_path(const std::filesystem::path& host) {
  std::wstring text = zq::utf8_to_wide(host.string());
  std::replace(text.begin(), text.end(), L'/', L'\\');
  return text;
}

file::~file() { close(); }

file::file(file&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

file& file::operator=(file&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void file::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

int open_file(std::wstring_view path, file_access_t access, file_create_t create, file& out) {
  out.close();
  if (injected_failure()) return kInjectedError;
  int flags = O_CLOEXEC | (access == file_access_t::read_only ? O_RDONLY : O_RDWR);
  if (create == file_create_t::create_new) flags |= O_CREAT | O_EXCL;
  if (create == file_create_t::create_always) flags |= O_CREAT | O_TRUNC;
  const int fd = ::open(host_path(path).c_str(), flags, 0644);
  if (fd < 0) return last_error();
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return EISDIR;
  }
  out.fd_ = fd;
  return 0;
}

int read_file_at(const file& f, std::uint64_t offset, void* buffer, std::size_t size, std::size_t& got) {
  got = 0;
  if (injected_failure()) return kInjectedError;
  auto* bytes = static_cast<char*>(buffer);
  while (got < size) {
    const ssize_t n = ::pread(f.descriptor(), bytes + got, size - got, static_cast<off_t>(offset + got));
    if (n < 0) {
      if (errno == EINTR) continue;
      return last_error();
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return 0;
}

int write_file_at(const file& f, std::uint64_t offset, const void* data, std::size_t size) {
  if (injected_failure()) return kInjectedError;
  const auto* bytes = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pwrite(f.descriptor(), bytes + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return last_error();
    }
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

int file_size(const file& f, std::uint64_t& size) {
  size = 0;
  if (injected_failure()) return kInjectedError;
  struct stat st {};
  if (::fstat(f.descriptor(), &st) != 0) return last_error();
  size = static_cast<std::uint64_t>(st.st_size);
  return 0;
}

int truncate_file(const file& f, std::uint64_t size) {
  if (injected_failure()) return kInjectedError;
  return ::ftruncate(f.descriptor(), static_cast<off_t>(size)) == 0 ? 0 : last_error();
}

int flush_file(const file& f) {
  if (injected_failure()) return kInjectedError;
  return ::fsync(f.descriptor()) == 0 ? 0 : last_error();
}

int rename_file(std::wstring_view from, std::wstring_view to) {
  if (injected_failure()) return kInjectedError;
  const std::filesystem::path target = host_path(to);
  if (::rename(host_path(from).c_str(), target.c_str()) != 0) return last_error();
  // Make the new directory entry durable; a folder that cannot be synced changes nothing.
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return 0;
}

int delete_file(std::wstring_view path) {
  if (injected_failure()) return kInjectedError;
  return ::unlink(host_path(path).c_str()) == 0 ? 0 : last_error();
}

int copy_file(std::wstring_view from, std::wstring_view to) {
  std::vector<std::uint8_t> content;
  if (const int error = read_whole_file(from, content); error != 0) return error;
  file target;
  if (const int error = open_file(to, file_access_t::read_write, file_create_t::create_new, target); error != 0) {
    return error;
  }
  int error = write_file_at(target, 0, content.data(), content.size());
  if (error == 0) error = flush_file(target);
  target.close();
  if (error != 0) {
    // The half-written copy must not stay behind; this clean-up is not a counted operation.
    ::unlink(host_path(to).c_str());
  }
  return error;
}

int set_normal_attributes(std::wstring_view path) {
  if (injected_failure()) return kInjectedError;
  const std::filesystem::path host = host_path(path);
  struct stat st {};
  if (::stat(host.c_str(), &st) != 0) return last_error();
  if ((st.st_mode & S_IWUSR) != 0) return 0;
  return ::chmod(host.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0 ? 0 : last_error();
}

int create_directory(std::wstring_view path) {
  if (injected_failure()) return kInjectedError;
  return ::mkdir(host_path(path).c_str(), 0755) == 0 ? 0 : last_error();
}

int remove_directory(std::wstring_view path) {
  if (injected_failure()) return kInjectedError;
  return ::rmdir(host_path(path).c_str()) == 0 ? 0 : last_error();
}

int file_attributes(std::wstring_view path, std::uint32_t& attributes) {
  attributes = 0;
  if (injected_failure()) return kInjectedError;
  const std::filesystem::path host = host_path(path);
  struct stat st {};
  if (::stat(host.c_str(), &st) != 0) return last_error();
  attributes = attributes_of(host.filename().string(), st);
  return 0;
}

int find_files(std::wstring_view pattern_path, std::vector<found_file>& found) {
  found.clear();
  if (injected_failure()) return kInjectedError;
  const std::size_t cut = pattern_path.find_last_of(L"\\/");
  const std::wstring_view pattern = cut == std::wstring_view::npos ? pattern_path : pattern_path.substr(cut + 1);
  std::filesystem::path folder = ".";
  if (cut == 0) {
    folder = host_path(L"\\");
  } else if (cut != std::wstring_view::npos) {
    folder = host_path(pattern_path.substr(0, cut));
  }
  return list_folder(folder, pattern, found);
}

int enumerate_files(std::wstring_view folder, std::wstring_view suffix, std::vector<std::wstring>& names) {
  names.clear();
  if (injected_failure()) return kInjectedError;
  std::vector<found_file> found;
  if (const int error = list_folder(host_path(folder), L"*" + std::wstring(suffix), found); error != 0) return error;
  for (auto& file : found) {
    if ((file.attributes & file_attribute::directory) == 0) names.push_back(std::move(file.name));
  }
  return 0;
}

bool path_exists(std::wstring_view path) {
  struct stat st {};
  return ::stat(host_path(path).c_str(), &st) == 0;
}

int read_whole_file(std::wstring_view path, std::vector<std::uint8_t>& content) {
  content.clear();
  file f;
  if (const int error = open_file(path, file_access_t::read_only, file_create_t::open_existing, f); error != 0) {
    return error;
  }
  std::uint64_t size = 0;
  if (const int error = file_size(f, size); error != 0) return error;
  content.resize(static_cast<std::size_t>(size));
  std::size_t got = 0;
  if (const int error = read_file_at(f, 0, content.data(), content.size(), got); error != 0) {
    content.clear();
    return error;
  }
  content.resize(got);
  return 0;
}

namespace file_faults {
void fail_operation(long n, bool sticky) {
  g_operations = 0;
  g_fail_at = n;
  g_sticky = sticky;
}
long operations() { return g_operations; }
void reset() {
  g_operations = 0;
  g_fail_at = 0;
  g_sticky = false;
}
}  // namespace file_faults

}  // namespace platform
