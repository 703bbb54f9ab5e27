#include "storage/ir_archive.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "base/byte_order.h"
#include "storage/codebase_record.h"
#include "storage/database.h"

namespace xman {
namespace {

constexpr std::size_t kHeaderValues = 6;
constexpr std::size_t kModelFields = 8;

// The NUL-terminated text at the start of bytes, or nothing when there is no NUL.
std::optional<std::string> terminated_text(std::span<const std::uint8_t> bytes) {
  const auto nul = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  if (nul == bytes.end()) return std::nullopt;
  return std::string(bytes.begin(), nul);
}

}  // namespace

struct ir_archive::state {
  database db;
  ir_archive_header header;
  std::vector<std::string> categories;
  std::vector<ir_archive_model> models;
  int category = -1;
  int brand = -1;
  std::vector<std::uint16_t> brand_list;  // brand identifiers of the last brand list
  std::vector<std::size_t> model_list;    // indexes into models of the last model list
};

catalog_filter ir_archive::filter() { return {{kCreator, kTypeIrArchive}}; }

ir_archive::ir_archive() : state_(std::make_unique<state>()) {}
ir_archive::~ir_archive() = default;

zq::result_t ir_archive::open(database_catalog& catalog) {
  close();
  catalog.scan();
  const std::optional<std::wstring> path = catalog.path_of(kIrArchiveName);
  if (!path) return zq::rc::ir_archive_not_found;
  return open_file(*path);
}

zq::result_t ir_archive::open_file(std::wstring_view path) {
  close();
  if (const zq::result_t result = state_->db.open(path, database::open_mode_t::read_only); result != zq::rc::ok) {
    return result;
  }
  return check();
}

zq::result_t ir_archive::open_image(std::vector<std::uint8_t> image) {
  close();
  if (const zq::result_t result = state_->db.load_image(std::move(image)); result != zq::rc::ok) return result;
  return check();
}

zq::result_t ir_archive::check() {
  state& s = *state_;
  const std::size_t count = s.db.record_count();
  const auto damaged = [this] {
    close();
    return zq::rc::ir_archive_damaged;
  };
  if (count == 0 || s.db.record(0).size() < 2 * kHeaderValues) return damaged();
  const std::uint8_t* h = s.db.record(0).data();
  s.header = {zq::load_be16(h), zq::load_be16(h + 2), zq::load_be16(h + 4),
              zq::load_be16(h + 6), zq::load_be16(h + 8), zq::load_be16(h + 10)};
  const ir_archive_header& header = s.header;

  if (std::size_t{header.first_category} + header.category_count > count) return damaged();
  for (std::size_t i = 0; i < header.category_count; ++i) {
    std::optional<std::string> name = terminated_text(s.db.record(header.first_category + i));
    if (!name) return damaged();
    s.categories.push_back(std::move(*name));
  }

  std::size_t at = header.first_model;
  std::size_t previous = 0;
  for (std::size_t i = 0; i < header.model_count; ++i) {
    if (at >= count || (i > 0 && at <= previous)) return damaged();
    const std::span<const std::uint8_t> record = s.db.record(at);
    if (record.size() < kModelFields + 1) return damaged();
    std::optional<std::string> name = terminated_text(record.subspan(kModelFields));
    if (!name) return damaged();
    ir_archive_model model{static_cast<std::uint16_t>(at), zq::load_be16(record.data()),
                           zq::load_be16(record.data() + 2), zq::load_be16(record.data() + 4),
                           zq::load_be16(record.data() + 6), std::move(*name)};
    const std::size_t brand_record = std::size_t{header.brand_base} + model.brand;
    if (model.category >= header.category_count || brand_record >= count ||
        !terminated_text(s.db.record(brand_record))) {
      return damaged();
    }
    if (model.first_signal <= at || model.end_signal < model.first_signal || model.end_signal > count) {
      return damaged();
    }
    for (std::size_t r = model.first_signal; r < model.end_signal; ++r) {
      if (!is_signal_kind(classify_codebase_record(s.db.record(r)).kind)) return damaged();
    }
    previous = at;
    at = model.end_signal;
    s.models.push_back(std::move(model));
  }
  return zq::rc::ok;
}

void ir_archive::close() {
  state_ = std::make_unique<state>();
}

bool ir_archive::is_open() const { return state_->db.is_open(); }

const ir_archive_header& ir_archive::header() const { return state_->header; }

const std::vector<std::string>& ir_archive::categories() const { return state_->categories; }

std::span<const ir_archive_model> ir_archive::all_models() const { return state_->models; }

std::string ir_archive::brand_name(std::uint16_t brand) const {
  const state& s = *state_;
  const std::size_t record = std::size_t{s.header.brand_base} + brand;
  if (!s.db.is_open() || record >= s.db.record_count()) return {};
  return terminated_text(s.db.record(record)).value_or(std::string());
}

std::vector<std::string> ir_archive::brands(int category) {
  state& s = *state_;
  s.brand_list.clear();
  s.model_list.clear();
  s.brand = -1;
  s.category = category >= 0 && static_cast<std::size_t>(category) < s.categories.size() ? category : -1;
  std::vector<std::string> names;
  if (s.category < 0) return names;
  for (const ir_archive_model& model : s.models) {
    if (model.category != s.category) continue;
    if (std::find(s.brand_list.begin(), s.brand_list.end(), model.brand) != s.brand_list.end()) continue;
    s.brand_list.push_back(model.brand);
    names.push_back(brand_name(model.brand));
  }
  return names;
}

std::vector<std::string> ir_archive::models(int brand_index) {
  state& s = *state_;
  s.model_list.clear();
  s.brand = brand_index >= 0 && static_cast<std::size_t>(brand_index) < s.brand_list.size()
                ? s.brand_list[static_cast<std::size_t>(brand_index)]
                : -1;
  std::vector<std::string> names;
  if (s.brand < 0) return names;
  for (std::size_t i = 0; i < s.models.size(); ++i) {
    if (s.models[i].category == s.category && s.models[i].brand == s.brand) {
      s.model_list.push_back(i);
      names.push_back(s.models[i].name);
    }
  }
  return names;
}

int ir_archive::chosen_category() const { return state_->category; }
int ir_archive::chosen_brand() const { return state_->brand; }

const ir_archive_model* ir_archive::listed_model(int model_index) const {
  const state& s = *state_;
  if (model_index < 0 || static_cast<std::size_t>(model_index) >= s.model_list.size()) return nullptr;
  return &s.models[s.model_list[static_cast<std::size_t>(model_index)]];
}

std::vector<std::span<const std::uint8_t>> ir_archive::signals_of(const ir_archive_model& model) const {
  std::vector<std::span<const std::uint8_t>> records;
  const database& db = state_->db;
  for (std::size_t r = model.first_signal; r < model.end_signal && r < db.record_count(); ++r) {
    records.push_back(db.record(r));
  }
  return records;
}

std::vector<std::span<const std::uint8_t>> ir_archive::model_signals(int model_index) const {
  const ir_archive_model* model = listed_model(model_index);
  return model == nullptr ? std::vector<std::span<const std::uint8_t>>{} : signals_of(*model);
}

zq::result_t ir_archive::find_signal(int model_index, std::string_view name,
                                     std::span<const std::uint8_t>& out) const {
  const ir_archive_model* model = listed_model(model_index);
  if (model == nullptr) return zq::rc::ir_archive_signal_not_found;
  for (const std::span<const std::uint8_t> record : signals_of(*model)) {
    if (classify_codebase_record(record).name == name) {
      out = record;
      return zq::rc::ok;
    }
  }
  return zq::rc::ir_archive_signal_not_found;
}

}  // namespace xman
