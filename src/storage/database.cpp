#include "storage/database.h"

#include <cassert>
#include <cstring>

#include "base/byte_order.h"
#include "storage/database_image.h"
#include "storage/file_replacement.h"

namespace xman {

// One record: its bytes, either inside the file image or in a copy owned by the record.
struct record_slot {
  std::span<const std::uint8_t> data;
  std::unique_ptr<std::uint8_t[]> owned;  // null for records that lie in the file image
};

struct database::state {
  std::wstring path;  // empty for an image loaded from memory
  open_mode_t mode = open_mode_t::read_only;
  platform::file handle;
  std::vector<std::uint8_t> image;  // the whole file as read
  header_bytes header{};
  std::uint32_t next_record_list = 0;
  std::string name;
  std::vector<record_slot> records;
};

namespace {

record_slot owned_copy(std::span<const std::uint8_t> data) {
  record_slot slot;
  slot.owned.reset(new std::uint8_t[data.size()]);
  if (!data.empty()) std::memcpy(slot.owned.get(), data.data(), data.size());
  slot.data = {slot.owned.get(), data.size()};
  return slot;
}

platform::file_access_t access_of(database::open_mode_t mode) {
  return mode == database::open_mode_t::read_write ? platform::file_access_t::read_write
                                                   : platform::file_access_t::read_only;
}

const std::string kNoName;
const std::wstring kNoPath;

}  // namespace

database::database() = default;
database::~database() = default;

zq::result_t database::open(std::wstring_view path, open_mode_t mode) {
  close();
  // A read-only flag left on the file would make a read-write open fail; that failure is the one
  // reported, so the outcome of clearing the attributes is not needed here.
  (void)platform::set_normal_attributes(path);
  platform::file handle;
  if (platform::open_file(path, access_of(mode), platform::file_create_t::open_existing, handle) != 0) {
    return zq::rc::open_system_error;
  }
  std::uint64_t size = 0;
  if (platform::file_size(handle, size) != 0) return zq::rc::open_system_error;
  std::vector<std::uint8_t> image(static_cast<std::size_t>(size));
  std::size_t got = 0;
  if (platform::read_file_at(handle, 0, image.data(), image.size(), got) != 0) return zq::rc::open_system_error;
  image.resize(got);

  if (const zq::result_t result = load_image(std::move(image)); result != zq::rc::ok) return result;
  state_->path = path;
  state_->mode = mode;
  state_->handle = std::move(handle);
  return zq::rc::ok;
}

zq::result_t database::load_image(std::vector<std::uint8_t> image) {
  close();
  auto loaded = std::make_unique<state>();
  loaded->image = std::move(image);
  database_layout layout;
  if (const zq::result_t result = parse_database_image(loaded->image, layout); result != zq::rc::ok) return result;
  loaded->header = layout.header;
  loaded->next_record_list = layout.next_record_list;
  loaded->name = std::move(layout.name);
  loaded->records.reserve(layout.records.size());
  for (const auto& record : layout.records) loaded->records.push_back(record_slot{record, nullptr});
  state_ = std::move(loaded);
  return zq::rc::ok;
}

void database::close() { state_.reset(); }

bool database::is_open() const { return state_ != nullptr; }

std::size_t database::record_count() const { return state_ ? state_->records.size() : 0; }

std::span<const std::uint8_t> database::record(std::size_t index) const {
  assert(index < record_count());
  if (index >= record_count()) return {};
  return state_->records[index].data;
}

void database::add_record(std::span<const std::uint8_t> data) {
  assert(state_);
  if (!state_) return;
  state_->records.push_back(owned_copy(data));
}

void database::replace_record(std::size_t index, std::span<const std::uint8_t> data) {
  assert(index < record_count());
  if (index >= record_count()) return;
  // The copy is made before the old bytes are released: data may be the record itself.
  record_slot copy = owned_copy(data);
  state_->records[index] = std::move(copy);
}

void database::remove_record(std::size_t index) {
  assert(index < record_count());
  if (index >= record_count()) return;
  state_->records.erase(state_->records.begin() + static_cast<std::ptrdiff_t>(index));
}

zq::result_t database::save() {
  if (!state_ || state_->path.empty() || state_->mode != open_mode_t::read_write) return zq::rc::not_found;
  std::vector<std::span<const std::uint8_t>> records;
  records.reserve(state_->records.size());
  for (const auto& slot : state_->records) records.push_back(slot.data);
  std::vector<std::uint8_t> image;
  if (!build_database_image(state_->header, state_->next_record_list, records, image)) {
    return zq::rc::create_failed;
  }
  if (replace_file(state_->path, image) != 0) return zq::rc::open_system_error;

  // The old handle refers to the replaced file; hold the new one open as open() did. The records
  // keep pointing into the image read at open, whose bytes the new file holds as well.
  state_->handle.close();
  platform::file handle;
  if (platform::open_file(state_->path, access_of(state_->mode), platform::file_create_t::open_existing, handle) !=
      0) {
    return zq::rc::open_system_error;
  }
  state_->handle = std::move(handle);
  return zq::rc::ok;
}

const std::string& database::name() const { return state_ ? state_->name : kNoName; }

const std::wstring& database::path() const { return state_ ? state_->path : kNoPath; }

four_cc database::type() const {
  four_cc code;
  if (state_) std::memcpy(code.chars.data(), state_->header.data() + kTypeOffset, 4);
  return code;
}

four_cc database::creator() const {
  four_cc code;
  if (state_) std::memcpy(code.chars.data(), state_->header.data() + kCreatorOffset, 4);
  return code;
}

std::uint16_t database::version() const { return state_ ? zq::load_be16(state_->header.data() + kVersionOffset) : 0; }

void database::set_type(four_cc type) {
  if (state_) std::memcpy(state_->header.data() + kTypeOffset, type.chars.data(), 4);
}

void database::set_version(std::uint16_t version) {
  if (state_) zq::store_be16(state_->header.data() + kVersionOffset, version);
}

}  // namespace xman
