// The handheld's hardware keys as the program lists and captures them: the application keys the
// device's registry names under HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys, ordered by key
// code, followed by the five keys of the navigation pad.
//
// An application key's subkey is named "40C" and one hexadecimal digit 1 to F (the digit in either
// case, the rest exactly so); the digit d is virtual key 0xC0 + d, arriving with the Windows
// modifier. Its "Name" value is the display name ("Button" when there is none); its "Icon" value
// is "file,index", split at the last comma. Other subkeys are not keys and are passed over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace outworld {

struct hardware_key_entry {
  std::wstring key_name;      // the subkey's name as the registry holds it, or "Left" ...
  std::wstring display_name;
  std::wstring icon_file;     // empty: no icon (the navigation keys never have one)
  std::int32_t icon_index = 0;
  std::uint32_t virtual_key = 0;
  std::uint32_t modifiers = 0;
};

// The virtual key of an application key's subkey name; none for any other name.
std::optional<std::uint32_t> application_key_code(std::wstring_view subkey_name);

struct icon_location {
  std::wstring file;
  std::int32_t index = 0;
};
// "file,index" split at the last comma; none without a comma or when the index is not a 32-bit
// decimal number.
std::optional<icon_location> split_icon_value(std::wstring_view value);

// Reads the table from the platform registry. Without the Keys key only the navigation keys are
// listed. Every key it opens it closes again.
std::vector<hardware_key_entry> read_hardware_key_table();

}  // namespace outworld
