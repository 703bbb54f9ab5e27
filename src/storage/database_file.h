// Database files: the Palm database layout every stored object of the program uses. A fixed
// header with a 32-byte internal name, type and creator codes, then a list of records.
//
// | Offset | Size  | Field                                                     |
// |--------|-------|-----------------------------------------------------------|
// | 0      | 32    | name, NUL-terminated and NUL-padded                        |
// | 32     | 2     | attributes                                                 |
// | 34     | 2     | version                                                    |
// | 36     | 16    | creation, modification, backup dates, modification number |
// | 52     | 8     | application info and sort info offsets                    |
// | 60     | 4     | type                                                       |
// | 64     | 4     | creator                                                    |
// | 68     | 4     | unique ID seed                                             |
// | 72     | 4     | next record list                                           |
// | 76     | 2     | record count n                                             |
// | 78     | 8 × n | entries: data offset (4), attribute byte, unique ID (3)   |
// | 78+8n  | 2     | zero gap, only when n > 0                                  |
// | 80+8n  | ...   | record data, back to back in entry order                   |
//
// All integers are big-endian. Paths are the handheld's (see platform/file_system.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/result.h"

namespace xman {

// A four-character type or creator code, e.g. four_cc("Rda1").
struct four_cc {
  std::array<char, 4> chars{};

  constexpr four_cc() = default;
  constexpr explicit four_cc(const char (&text)[5]) : chars{text[0], text[1], text[2], text[3]} {}
  std::string_view view() const { return {chars.data(), chars.size()}; }
  friend bool operator==(const four_cc&, const four_cc&) = default;
  friend auto operator<=>(const four_cc&, const four_cc&) = default;
};

inline constexpr four_cc kCreator{"zQed"};
inline constexpr four_cc kTypeCodebase{"Rda1"};
inline constexpr four_cc kTypeCodebaseOld{"Rdat"};
inline constexpr four_cc kTypeCodebaseTemporary{"temp"};
inline constexpr four_cc kTypeMainProfile{"dPrf"};
inline constexpr four_cc kTypePreferences{"Prof"};
inline constexpr four_cc kTypeIrArchive{"Idat"};

inline constexpr std::size_t kHeaderSize = 72;         // up to and excluding the next-record-list field
inline constexpr std::size_t kEmptyDatabaseSize = 78;  // header, next record list, record count

// The longest internal name the 32-byte name field holds with its terminating NUL. Every
// operation that stores a name refuses a longer one, or one holding a NUL, with 1025 rather than
// cutting it: a cut name could silently collide with another database's name.
inline constexpr std::size_t kMaxNameLength = 31;
bool is_valid_database_name(std::string_view name);

struct database_header {
  std::string name;  // trailing spaces removed
  four_cc creator;
  four_cc type;
  std::uint16_t version = 0;
};

// Creates a new database file with no records (78 bytes); 1025 when it exists or cannot be made
// (a partly written file is removed), or the name is not valid.
[[nodiscard]] zq::result_t create_database_file(std::wstring_view path, std::string_view name, four_cc creator,
                                                four_cc type, std::uint16_t version);
// Stores a whole new database (fresh header, these records) under path, replacing any file there
// all-or-nothing (see file_replacement.h): the old file stays whole until the new one is complete.
// 0, or 1025 when the name is not valid, the records do not fit one file, or a step failed.
[[nodiscard]] zq::result_t store_database_file(std::wstring_view path, std::string_view name, four_cc creator,
                                               four_cc type, std::uint16_t version,
                                               std::span<const std::span<const std::uint8_t>> records);
// Reads the header of a file that need not be open: 0, 1022/1023, or 1024 when it is shorter than 72 bytes.
[[nodiscard]] zq::result_t read_database_header(std::wstring_view path, database_header& out);
// Replaces the given header fields of a stored file, all-or-nothing (the file is rewritten through
// a sibling, see file_replacement.h): 0, 1022 (a system error), or 1024 when it is shorter than 72 bytes.
[[nodiscard]] zq::result_t update_database_header(std::wstring_view path, std::optional<four_cc> creator,
                                                  std::optional<four_cc> type, std::optional<std::uint16_t> version);
// Writes a new internal name, NUL-padded, into a stored file, keeping the rest of the header;
// all-or-nothing like update_database_header. 0, 1022, 1024, or 1025 for a name that is not valid.
[[nodiscard]] zq::result_t write_database_name(std::wstring_view path, std::string_view name);

}  // namespace xman
