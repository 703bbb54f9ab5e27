#include "storage/ir_archive_writer.h"

#include <span>

#include "base/byte_order.h"
#include "storage/codebase_record.h"
#include "storage/database_file.h"
#include "storage/ir_archive.h"

namespace xman {
namespace {

bool holds_nul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

std::vector<std::uint8_t> text_record(std::string_view text) {
  std::vector<std::uint8_t> record(text.begin(), text.end());
  record.push_back(0);
  return record;
}

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::size_t value) {
  zq::store_be16(out.data() + at, static_cast<std::uint16_t>(value));
}

}  // namespace

zq::result_t build_ir_archive_records(const ir_archive_content& content,
                                      std::vector<std::vector<std::uint8_t>>& out) {
  std::size_t total = 1 + content.categories.size() + content.brands.size();
  for (const std::string& name : content.categories) {
    if (holds_nul(name)) return zq::rc::ir_archive_content_invalid;
  }
  for (const std::string& name : content.brands) {
    if (holds_nul(name)) return zq::rc::ir_archive_content_invalid;
  }
  for (const ir_archive_content::model& model : content.models) {
    if (holds_nul(model.name) || model.category >= content.categories.size() ||
        model.brand >= content.brands.size()) {
      return zq::rc::ir_archive_content_invalid;
    }
    for (const std::vector<std::uint8_t>& signal : model.signals) {
      if (!is_signal_kind(classify_codebase_record(signal).kind)) return zq::rc::ir_archive_content_invalid;
    }
    total += 1 + model.signals.size();
  }
  // Every record number, and the end of the last model's signals, must fit 16 bits.
  if (total > 0xFFFF) return zq::rc::ir_archive_too_large;

  std::vector<std::vector<std::uint8_t>> records;
  records.reserve(total);
  const std::size_t first_category = 1;
  const std::size_t brand_base = first_category + content.categories.size();
  const std::size_t first_model = brand_base + content.brands.size();
  std::vector<std::uint8_t> header(12);
  put16(header, 0, content.categories.size());
  put16(header, 2, first_category);
  put16(header, 4, content.brands.size());
  put16(header, 6, brand_base);
  put16(header, 8, content.models.size());
  put16(header, 10, first_model);
  records.push_back(std::move(header));
  for (const std::string& name : content.categories) records.push_back(text_record(name));
  for (const std::string& name : content.brands) records.push_back(text_record(name));
  for (const ir_archive_content::model& model : content.models) {
    const std::size_t first_signal = records.size() + 1;
    std::vector<std::uint8_t> record(8);
    put16(record, 0, model.category);
    put16(record, 2, model.brand);
    put16(record, 4, first_signal);
    put16(record, 6, first_signal + model.signals.size());
    record.insert(record.end(), model.name.begin(), model.name.end());
    record.push_back(0);
    records.push_back(std::move(record));
    for (const std::vector<std::uint8_t>& signal : model.signals) records.push_back(signal);
  }
  out = std::move(records);
  return zq::rc::ok;
}

zq::result_t store_ir_archive(std::wstring_view path, const ir_archive_content& content) {
  std::vector<std::vector<std::uint8_t>> records;
  if (const zq::result_t result = build_ir_archive_records(content, records); result != zq::rc::ok) return result;
  std::vector<std::span<const std::uint8_t>> spans(records.begin(), records.end());
  return store_database_file(path, kIrArchiveName, kCreator, kTypeIrArchive, 0, spans);
}

}  // namespace xman
