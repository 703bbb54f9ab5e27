#include "storage/codebase_writer.h"

#include "storage/codebase_version.h"

namespace xman {

codebase_writer::~codebase_writer() { end_edit(); }

zq::result_t codebase_writer::open(std::string_view name) {
  end_edit();
  return open_in_mode(name, database::open_mode_t::read_write);
}

void codebase_writer::close() {
  end_edit();
  codebase::close();
}

void codebase_writer::append_record(std::span<const std::uint8_t> record) {
  if (!is_open()) return;
  database_.add_record(record);
  rebuild_indexes();
}

void codebase_writer::replace_record(std::size_t index, std::span<const std::uint8_t> record) {
  if (index >= record_count()) return;
  database_.replace_record(index, record);
  rebuild_indexes();
}

void codebase_writer::remove_record(std::size_t index) {
  if (index >= record_count()) return;
  database_.remove_record(index);
  rebuild_indexes();
}

void codebase_writer::put_macro(std::string_view name, std::span<const std::uint8_t> record) {
  const int index = macro_index_of(name);
  if (index > 0) {
    replace_record(static_cast<std::size_t>(index), record);
  } else {
    append_record(record);
  }
}

void codebase_writer::set_layout(std::span<const std::uint8_t> layout) {
  if (record_count() == 0) {
    append_record(layout);
  } else {
    replace_record(0, layout);
  }
}

void codebase_writer::begin_edit(std::string_view name) {
  end_edit();
  const int index = signal_index_of(name);
  if (index <= 0) return;
  const std::span<const std::uint8_t> source = record(static_cast<std::size_t>(index));
  edit_record_.assign(source.begin(), source.end());
  edit_name_ = std::string(name);
}

void codebase_writer::commit_edit() {
  if (!edit_name_) return;
  const int index = signal_index_of(*edit_name_);
  if (index > 0) database_.remove_record(static_cast<std::size_t>(index));
  database_.add_record(edit_record_);
  rebuild_indexes();
  end_edit();
}

void codebase_writer::end_edit() {
  edit_record_.clear();
  edit_name_.reset();
}

zq::result_t codebase_writer::save() {
  if (!is_open()) return zq::rc::not_found;
  const four_cc old_type = database_.type();
  const std::uint16_t old_version = database_.version();
  four_cc type = old_type;
  std::uint16_t version = old_version;
  // The editor's working copy is a codebase too; it keeps its type until it takes the place of
  // the codebase it was copied from.
  if (type != kTypeCodebaseTemporary) {
    if (const zq::result_t result = convert_codebase_header(type, version); result != zq::rc::ok) return result;
  }
  database_.set_type(type);
  database_.set_version(version);
  if (const zq::result_t result = database_.save(); result != zq::rc::ok) {
    database_.set_type(old_type);
    database_.set_version(old_version);
    return result;
  }
  catalog_.set_attributes_in_catalog(name(), std::nullopt, type, version);
  return zq::rc::ok;
}

}  // namespace xman
