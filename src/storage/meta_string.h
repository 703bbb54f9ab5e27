// meta::string: a counted byte string whose length counts the stored terminating NUL. It either
// borrows someone else's bytes or owns a copy of them.
#pragma once

#include <cstdint>
#include <string_view>

namespace meta {

class string {
 public:
  enum class ownership_t : std::uint32_t { borrowed = 2, owned = 4 };

  // The empty string: no data, length 0, borrowed.
  string() noexcept = default;

  // Borrows a NUL-terminated text: length = text length + 1 (0 for a null text).
  static string borrow(const char* text) noexcept;
  // Borrows length bytes (the last of them normally the NUL).
  static string borrow(const char* data, std::uint32_t length) noexcept;
  // Owned copies of the same. When memory runs out the result is the empty string.
  static string copy(const char* text);
  static string copy(const char* data, std::uint32_t length);

  // Copying an owned string copies the bytes; copying a borrowed one borrows again.
  string(const string& other);
  string& operator=(const string& other);
  string(string&& other) noexcept;
  string& operator=(string&& other) noexcept;
  ~string();

  const char* data() const noexcept { return data_; }
  std::uint32_t length() const noexcept { return length_; }
  ownership_t ownership() const noexcept { return ownership_; }
  bool empty() const noexcept { return length_ == 0; }
  // The text without its terminating NUL (every stored byte before it, NULs included).
  std::string_view view() const noexcept {
    return length_ == 0 ? std::string_view() : std::string_view(data_, length_ - 1);
  }

  // Equal when the stored bytes are equal.
  friend bool operator==(const string& a, const string& b) noexcept;

 private:
  void release() noexcept;

  const char* data_ = nullptr;
  std::uint32_t length_ = 0;
  ownership_t ownership_ = ownership_t::borrowed;
};

}  // namespace meta
