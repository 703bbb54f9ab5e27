// A codebase opened by name for changing. Every change rebuilds the signal and macro indexes, so
// names and records obtained before a change are no longer valid after it. Changes stay in memory
// until save(), which writes the whole database back all-or-nothing.
//
// Signal records are opaque bytes here; encoding and decoding them belongs to the IR layer
// (ir/codebase_signals.h), which stores them through append_record and replace_record.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "storage/codebase.h"

namespace xman {

class codebase_writer : public codebase {
 public:
  using codebase::codebase;
  ~codebase_writer() override;

  // As codebase::open, but read-write; the file stays open (read sharing only) until close.
  [[nodiscard]] zq::result_t open(std::string_view name) override;
  void close() override;

  // Appends a record at the end of the record list.
  void append_record(std::span<const std::uint8_t> record);
  // Replaces the record at index; an index out of range changes nothing.
  void replace_record(std::size_t index, std::span<const std::uint8_t> record);
  // Removes the record at index (later records move down one); an index out of range changes nothing.
  void remove_record(std::size_t index);

  // Stores a macro record (prefix 0x00 0x01 and the name included, supplied whole by the caller):
  // it replaces the record of the macro of that name, or is appended when there is none.
  void put_macro(std::string_view name, std::span<const std::uint8_t> record);

  // Replaces record 0, or adds it when the codebase has no records.
  void set_layout(std::span<const std::uint8_t> layout);

  // Starts editing the named signal: the edit buffer receives a copy of its record, or stays empty
  // (with no edit name) when there is no signal of that name.
  void begin_edit(std::string_view name);
  // The record being edited; the caller may change it before commit_edit.
  std::vector<std::uint8_t>& edit_record() { return edit_record_; }
  const std::optional<std::string>& edit_name() const { return edit_name_; }
  // With an edit in progress: removes the signal of the edit name (when present) and appends the
  // edit buffer, so that the edited signal moves to the end of the record list. Ends the edit.
  void commit_edit();

  // Converts the header to the current kind ("Rdat" -> "Rda1" at 330, "Rda1" below 330 -> 330),
  // writes the database and updates the catalog entry. A codebase being edited ("temp") is written
  // with its header unchanged. Any other type is 1043 and nothing is written. On a failed write
  // the header in memory keeps its old values.
  [[nodiscard]] zq::result_t save();

 private:
  void end_edit();

  std::vector<std::uint8_t> edit_record_;
  std::optional<std::string> edit_name_;
};

}  // namespace xman
