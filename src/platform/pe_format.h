// The parts of a PE32 image (the handheld's library format) that a resource-only library uses.
// All fields are little-endian.
//
// DOS header, at 0:
//   Offset | Size | Field
//   0      | 2    | "MZ"
//   0x3C   | 4    | file offset of the PE signature
// At that offset: "PE\0\0", then the file header (20 bytes):
//   0  | 2 | machine            2  | 2 | number of sections   4 | 4 | time stamp
//   8  | 4 | symbol table       12 | 4 | number of symbols    16 | 2 | size of the optional header
//   18 | 2 | characteristics
// Then the optional header (PE32: 96 bytes of fields and the data directories, 8 bytes each:
// RVA and size; the third is the resource directory), then the section headers (40 bytes each):
//   0  | 8 | name               8  | 4 | virtual size         12 | 4 | virtual address (RVA)
//   16 | 4 | size of raw data   20 | 4 | file offset of raw data                36 | 4 | characteristics
//
// The resource directory is a tree of three levels: type, id, language. A directory table:
//   0  | 12 | characteristics, time stamp, version (unused)
//   12 | 2  | number of named entries      14 | 2 | number of numbered entries
//   16 | 8n | entries, the named ones first (sorted by name), then the numbered ones (ascending)
// An entry: name (high bit set: offset of a length-prefixed UTF-16 name, else the number) and
// target (high bit set: offset of a subdirectory, else of a data entry); offsets are from the start
// of the resource directory. A data entry (16 bytes): RVA of the data, size, code page, reserved.
#pragma once

#include <cstdint>

namespace platform::pe {

inline constexpr std::uint32_t dos_header_size = 64;
inline constexpr std::uint32_t dos_pe_offset_field = 0x3C;
inline constexpr std::uint32_t file_header_size = 20;
inline constexpr std::uint32_t optional_header_fields_size = 96;
inline constexpr std::uint32_t data_directory_count = 16;
inline constexpr std::uint32_t optional_header_size = optional_header_fields_size + 8 * data_directory_count;
inline constexpr std::uint32_t section_header_size = 40;
inline constexpr std::uint16_t pe32_magic = 0x10B;
inline constexpr std::uint32_t resource_directory_index = 2;

// Optional header field offsets used here.
inline constexpr std::uint32_t opt_magic = 0;
inline constexpr std::uint32_t opt_rva_count = 92;

inline constexpr std::uint32_t directory_header_size = 16;
inline constexpr std::uint32_t directory_entry_size = 8;
inline constexpr std::uint32_t data_entry_size = 16;
inline constexpr std::uint32_t high_bit = 0x80000000u;

// Limits of what a resource library may hold.
inline constexpr std::uint32_t max_sections = 96;
inline constexpr std::uint64_t max_file_size = 64u << 20;

}  // namespace platform::pe
