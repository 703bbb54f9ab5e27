// Choosing an entry of the serial-port list (ir/serial_port_list.h): the port name an entry
// stands for, the entry autodetection proposes, and the entry a stored port name selects.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace redeye {

// The device name of an entry: its text up to and including the first ":" ("COM3:" of
// "COM3: Infrared Port"); the whole text when it holds no ":".
std::wstring port_name_of_entry(std::wstring_view entry);

// The most likely infrared port. Entries are compared upper-cased and only those of at least six
// characters count: the first containing "INFRARED" wins at once; otherwise the first containing
// "IRDA", even when it comes earlier than an "INFRARED" one. Nothing when no entry qualifies.
std::optional<std::size_t> autodetected_port(const std::vector<std::wstring>& entries);

// The first entry whose port name equals the stored port name; nothing for an empty name or
// when no entry has it.
std::optional<std::size_t> stored_port_entry(const std::vector<std::wstring>& entries, std::wstring_view stored);

// The entry the setup selects when it opens: the autodetected one when no port is stored, else
// the stored port's entry (nothing when the stored port is not in the list).
std::optional<std::size_t> initial_port_entry(const std::vector<std::wstring>& entries, std::wstring_view stored);

}  // namespace redeye
