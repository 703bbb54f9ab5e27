// The type or the id of a resource: a 16-bit number or a name such as "Sdat". Names compare
// without regard to ASCII letter case, as the handheld's resource lookup does.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Numbered resource types of the handheld.
namespace rt {
inline constexpr std::uint16_t cursor = 1;
inline constexpr std::uint16_t bitmap = 2;
inline constexpr std::uint16_t icon = 3;
inline constexpr std::uint16_t menu = 4;
inline constexpr std::uint16_t dialog = 5;
inline constexpr std::uint16_t string = 6;
inline constexpr std::uint16_t rcdata = 10;
inline constexpr std::uint16_t group_icon = 14;
}  // namespace rt

class resource_name {
 public:
  resource_name(std::uint16_t number = 0) : number_(number) {}  // NOLINT: a number is a name
  // A name given as UTF-8 text; it is held as UTF-16, the form a resource file stores.
  explicit resource_name(std::string_view text);
  explicit resource_name(std::u16string text) : is_number_(false), text_(std::move(text)) {}
  resource_name(const char* text) : resource_name(std::string_view(text)) {}  // NOLINT

  // A decimal number (up to 65535) becomes a number, anything else a name.
  static resource_name parse(std::string_view word);

  bool is_number() const { return is_number_; }
  std::uint16_t number() const { return number_; }
  const std::u16string& text() const { return text_; }
  // The number in decimal or the name as UTF-8.
  std::string to_string() const;

  friend bool operator==(const resource_name& a, const resource_name& b) { return compare(a, b) == 0; }
  // Names before numbers (the order of a resource directory), names without regard to ASCII case.
  friend std::strong_ordering operator<=>(const resource_name& a, const resource_name& b) {
    return compare(a, b) <=> 0;
  }

 private:
  static int compare(const resource_name& a, const resource_name& b);

  bool is_number_ = true;
  std::uint16_t number_ = 0;
  std::u16string text_;
};

}  // namespace platform
