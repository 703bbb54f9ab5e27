#include "storage/meta_string.h"

#include <cstring>
#include <new>

namespace meta {

string string::borrow(const char* text) noexcept {
  if (text == nullptr) return string();
  return borrow(text, static_cast<std::uint32_t>(std::strlen(text) + 1));
}

string string::borrow(const char* data, std::uint32_t length) noexcept {
  string s;
  if (data != nullptr && length != 0) {
    s.data_ = data;
    s.length_ = length;
  }
  return s;
}

string string::copy(const char* text) {
  if (text == nullptr) return string();
  return copy(text, static_cast<std::uint32_t>(std::strlen(text) + 1));
}

string string::copy(const char* data, std::uint32_t length) {
  string s;
  if (data == nullptr || length == 0) return s;
  char* bytes = new (std::nothrow) char[length];
  if (bytes == nullptr) return s;
  std::memcpy(bytes, data, length);
  s.data_ = bytes;
  s.length_ = length;
  s.ownership_ = ownership_t::owned;
  return s;
}

string::string(const string& other)
    : string(other.ownership_ == ownership_t::owned ? copy(other.data_, other.length_)
                                                    : borrow(other.data_, other.length_)) {}

string& string::operator=(const string& other) {
  if (this != &other) {
    string fresh(other);
    *this = std::move(fresh);
  }
  return *this;
}

string::string(string&& other) noexcept
    : data_(other.data_), length_(other.length_), ownership_(other.ownership_) {
  other.data_ = nullptr;
  other.length_ = 0;
  other.ownership_ = ownership_t::borrowed;
}

string& string::operator=(string&& other) noexcept {
  if (this != &other) {
    release();
    data_ = other.data_;
    length_ = other.length_;
    ownership_ = other.ownership_;
    other.data_ = nullptr;
    other.length_ = 0;
    other.ownership_ = ownership_t::borrowed;
  }
  return *this;
}

string::~string() { release(); }

void string::release() noexcept {
  if (ownership_ == ownership_t::owned) delete[] data_;
  data_ = nullptr;
  length_ = 0;
  ownership_ = ownership_t::borrowed;
}

bool operator==(const string& a, const string& b) noexcept {
  return a.length_ == b.length_ && (a.length_ == 0 || std::memcmp(a.data_, b.data_, a.length_) == 0);
}

}  // namespace meta
