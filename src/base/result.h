// Result codes of storage, IR and document operations: 32-bit, 0 = success. Operations return
// them instead of throwing; the numbers are part of the stored and displayed contract.
#pragma once

#include <cstdint>

namespace zq {

using result_t = std::int32_t;

namespace rc {
inline constexpr result_t ok = 0;

// Loading a signal into a driver.
inline constexpr result_t no_durations = 11;  // no durations, or count 0
inline constexpr result_t no_carrier = 12;    // carrier period 0

// IR drivers: opening the port, capturing, transmitting.
inline constexpr result_t capture_slow_carrier = 5;     // carrier slower than 10 kHz
inline constexpr result_t capture_long_burst = 6;       // a carrier burst longer than 800 ms
inline constexpr result_t port_open_failed = 13;        // the serial port cannot be opened
inline constexpr result_t capture_timeout = 17;         // nothing received for 20 seconds
inline constexpr result_t capture_empty = 201;          // no duration recorded
inline constexpr result_t registers_unmapped = 301;     // the processor's register blocks could not be mapped
inline constexpr result_t driver_not_open = 302;        // transmit/receive before a successful open
inline constexpr result_t no_ir_uart = 303;             // no UART of the processor is in infrared mode
inline constexpr result_t no_port_name = 304;           // no port name chosen

// Database files and catalogs.
inline constexpr result_t no_unique_file_name = 1021;  // no unique path shorter than 260 characters
inline constexpr result_t open_system_error = 1022;    // the system reported an error on open
inline constexpr result_t not_found = 1023;            // cannot open without a system error / not in catalog
inline constexpr result_t file_too_short = 1024;       // shorter than its header or record list, bad offsets
inline constexpr result_t create_failed = 1025;        // a new database file could not be created
inline constexpr result_t delete_failed = 1026;        // a database file could not be deleted
inline constexpr result_t rename_copy_failed = 1027;   // copying while renaming failed
inline constexpr result_t duplicate_copy_failed = 1028;  // copying while duplicating failed
inline constexpr result_t beam_unavailable = -1;         // no beaming program could be started

// Codebases.
inline constexpr result_t codebase_too_new = 1041;      // version above 330
inline constexpr result_t codebase_empty = 1042;        // no records, so no layout document
inline constexpr result_t codebase_unknown_kind = 1043; // not a codebase of a known kind

// Signals.
inline constexpr result_t signal_without_items = 1061;  // empty or damaged reading

// Resources and resource files.
inline constexpr result_t resource_not_found = 1101;   // no resource of that type and id
inline constexpr result_t resource_file_damaged = 1102;  // not a resource library, or a damaged one
inline constexpr result_t resource_damaged = 1103;     // a resource whose content is not of its kind
inline constexpr result_t resource_too_large = 1104;   // a library or image beyond the size limits

// The device registry and the device profiles loaded into it.
inline constexpr result_t registry_text_malformed = 1121;  // a registry text line that is not understood
inline constexpr result_t registry_key_not_found = 1122;   // no key at that path, or a handle that is not open
inline constexpr result_t registry_value_not_found = 1123; // the key has no value of that name
inline constexpr result_t registry_no_more_items = 1124;   // an enumeration index past the last item
inline constexpr result_t registry_wrong_type = 1125;      // the value is of another type than asked for
inline constexpr result_t device_profile_unknown = 1126;   // neither a shipped profile nor a readable file
inline constexpr result_t device_profile_incomplete = 1127;  // a profile without a usable screen or processor

// Menu resources: the program's menus in their text form.
inline constexpr result_t menu_resource_malformed = 1131;  // a line that is no menu statement, an unclosed popup
inline constexpr result_t menu_resource_too_large = 1132;  // beyond the limits of size, items, text or nesting
// Dialog templates: the program's dialogs in their text form.
inline constexpr result_t dialog_template_malformed = 1133;  // a line that is no dialog statement, or out of order
inline constexpr result_t dialog_template_too_large = 1134;  // beyond the limits of size, controls, text or units

// IR protocols: encoding parameters, reading their text form.
inline constexpr result_t protocol_unknown = 1081;          // no protocol of that name
inline constexpr result_t protocol_parameter_range = 1082;  // a field too large, or one the protocol lacks not 0
inline constexpr result_t protocol_text_malformed = 1083;   // wrong field count or a field that is no number

// Interchange formats (Pronto hex lists, LIRC lircd.conf and mode2, Global Cache sendir, Flipper
// .ir): reading another IR tool's text, and writing signals in its form.
inline constexpr result_t interchange_syntax = 1091;       // a line the format does not allow there
inline constexpr result_t interchange_number = 1092;       // a number missing, malformed or out of range
inline constexpr result_t interchange_structure = 1093;    // a block not closed, or a part out of its place
inline constexpr result_t interchange_signal_size = 1094;  // a signal without durations, or too many
inline constexpr result_t interchange_no_signals = 1095;   // the text holds no signal
inline constexpr result_t interchange_cannot_hold = 1096;  // the format cannot hold the signal (writing)
inline constexpr result_t interchange_unsupported = 1097;  // a form of the format this program does not read
inline constexpr result_t interchange_unknown_protocol = 1098;  // a protocol without an encoder here
inline constexpr result_t interchange_too_large = 1099;    // the input is larger than a reader accepts
// IR archive: opening and reading it, building it from a source text or a folder of .ir files.
inline constexpr result_t ir_archive_not_found = 1111;       // no database "zq-ir-archive" in the catalog
inline constexpr result_t ir_archive_damaged = 1112;         // header, chain or records inconsistent
inline constexpr result_t ir_archive_signal_not_found = 1113;  // no signal of that exact name, or no such model
inline constexpr result_t ir_archive_too_large = 1114;       // content needs record numbers beyond 16 bits
inline constexpr result_t ir_archive_source_malformed = 1115;  // a line of an archive source the builder refuses
inline constexpr result_t ir_archive_empty = 1116;           // nothing to build: no category or no model
inline constexpr result_t ir_archive_content_invalid = 1117;  // a name with a NUL, a model of no category or brand
// Flipper ".ir" files (read by the archive builder and the interchange formats).
inline constexpr result_t flipper_ir_malformed = 1118;   // not a Flipper IR file, or a line it cannot hold
inline constexpr result_t flipper_ir_unsupported = 1119;  // a parsed protocol this program does not encode

// Documents: bytes or a document text that are not a well-formed document.
inline constexpr result_t malformed_document = -1;
// Documents: memory ran out while writing; the bytes are incomplete and must not be stored.
inline constexpr result_t document_incomplete = -2;

// A record that is neither kind of signal the reader understands.
inline constexpr result_t bad_signal_record = -1;

// Pronto hex text (the parser's own numbers; 11 here means an empty text).
inline constexpr result_t pronto_no_text = 11;
inline constexpr result_t pronto_format_missing = 101;       // header word 1 missing
inline constexpr result_t pronto_frequency_missing = 102;    // header word 2 missing
inline constexpr result_t pronto_once_pairs_missing = 103;   // header word 3 missing
inline constexpr result_t pronto_repeat_pairs_missing = 104; // header word 4 missing
inline constexpr result_t pronto_burst_missing = 111;        // fewer burst words than announced
inline constexpr result_t pronto_not_raw = 200;              // format word not 0000
inline constexpr result_t pronto_bad_frequency = 201;        // frequency word outside 20..2072
inline constexpr result_t pronto_no_pairs = 202;             // no burst pairs announced
inline constexpr result_t pronto_extra_words = 211;          // more words than announced
inline constexpr result_t pronto_ends_in_word = 250;         // text ends inside a word
inline constexpr result_t pronto_word_too_short = 251;       // separator before the fourth digit
inline constexpr result_t pronto_word_too_long = 252;        // hexadecimal digit after the fourth
inline constexpr result_t pronto_too_many_durations = 300;   // more durations than the limit
inline constexpr result_t pronto_not_hex = 450;              // character that is no hexadecimal digit
}  // namespace rc

}  // namespace zq
