// remote::hot_button_table: the eight hot-button records of the room. Records 0 to 4 are the five
// hot buttons of the remote screen, left to right; records 5 to 7 are kept and saved with them.
// Every operation acts on all eight. Codebase names compare as exact text; an empty name stands
// for "no codebase" and so matches no record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace remote {

struct hot_button {
  std::string label;     // caption on the button
  std::string codebase;  // the codebase it launches; empty: none, the record is free
  std::int16_t last_page = 0;  // the page of that codebase last on screen

  bool is_free() const { return codebase.empty(); }
  friend bool operator==(const hot_button&, const hot_button&) = default;
};

class hot_button_table {
 public:
  static constexpr std::size_t size = 8;

  hot_button& operator[](std::size_t index) { return records_[index]; }
  const hot_button& operator[](std::size_t index) const { return records_[index]; }
  auto begin() { return records_.begin(); }
  auto end() { return records_.end(); }
  auto begin() const { return records_.begin(); }
  auto end() const { return records_.end(); }

  // Every record of the codebase loses label and codebase (after the codebase was deleted).
  // True when some record changed.
  bool forget_codebase(std::string_view name);
  // Every record of old_name gets new_name. True when some record changed.
  bool rename_codebase(std::string_view old_name, std::string_view new_name);
  // The last page of the first record of the codebase; 0 when none holds it.
  std::int16_t find_page(std::string_view name) const;
  // Sets the last page of every record of the codebase.
  void store_page(std::string_view name, std::int16_t page);
  bool contains(std::string_view name) const;
  // Puts the codebase with its label into the first free record (last page 0). False when the
  // name is empty, already held, or every record is taken.
  bool add(std::string_view name, std::string_view label);

  friend bool operator==(const hot_button_table&, const hot_button_table&) = default;

 private:
  std::array<hot_button, size> records_{};
};

}  // namespace remote
