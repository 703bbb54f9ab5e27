// The IR archive: a read-only database "zq-ir-archive" of ready-made signal sets arranged by
// device category, brand and model. All numbers are 16-bit big-endian, texts single-byte and
// NUL-terminated.
//
// Record 0, the header: H0 category count, H1 first category record, H2 brand count (written by
// the builder, not needed for reading), H3 brand base (brand b is record H3 + b), H4 model count,
// H5 first model record. Categories are records H1 .. H1 + H0 - 1 (identifier = position).
// Models form a chain from H5:
//
// | Offset | Width | Field                                                          |
// |--------|-------|----------------------------------------------------------------|
// | 0      | 2     | category identifier                                             |
// | 2      | 2     | brand identifier                                                |
// | 4      | 2     | first signal record                                             |
// | 6      | 2     | one past the last signal record = the next model record         |
// | 8      | text  | model name                                                      |
//
// Signal records are stored signal records (either format version), named by the button names
// layouts use ("Power", "Vol+", "1", ...); they are handed on unchanged to codebase creation.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "storage/database_catalog.h"

namespace xman {

inline constexpr std::string_view kIrArchiveName = "zq-ir-archive";

struct ir_archive_header {
  std::uint16_t category_count = 0;   // H0
  std::uint16_t first_category = 0;   // H1
  std::uint16_t brand_count = 0;      // H2
  std::uint16_t brand_base = 0;       // H3
  std::uint16_t model_count = 0;      // H4
  std::uint16_t first_model = 0;      // H5
};

// A copy of one model record: its record number, the 8 header bytes' fields and its name.
struct ir_archive_model {
  std::uint16_t record = 0;
  std::uint16_t category = 0;
  std::uint16_t brand = 0;
  std::uint16_t first_signal = 0;
  std::uint16_t end_signal = 0;
  std::string name;
};

class ir_archive {
 public:
  // The catalog filter of the IR archive folder: ("zQed", "Idat").
  static catalog_filter filter();

  ir_archive();
  ~ir_archive();
  ir_archive(const ir_archive&) = delete;
  ir_archive& operator=(const ir_archive&) = delete;

  // Rescans the catalog and opens the database named "zq-ir-archive" read-only. 1111 when the
  // catalog holds no such database; the database's open codes (1022/1023/1024); 1112 for an
  // archive whose records do not hold together (see open_image). On failure the archive is closed.
  [[nodiscard]] zq::result_t open(database_catalog& catalog);
  // The same checks on a file given by path, whatever its internal name.
  [[nodiscard]] zq::result_t open_file(std::wstring_view path);
  // The same checks on a whole database image held in memory. 1112 unless: the header record has
  // its six values; every category record lies in the file and holds a NUL-terminated name; the
  // chain's H4 model records lie in the file, each at a higher record number than the one before,
  // with a name, a category below H0, a brand whose record H3 + b holds a NUL-terminated name,
  // and a signal range after its own record, not past the next model record and within the file;
  // and every signal record is a named signal record.
  [[nodiscard]] zq::result_t open_image(std::vector<std::uint8_t> image);
  void close();
  bool is_open() const;

  const ir_archive_header& header() const;
  // Category names in record order.
  const std::vector<std::string>& categories() const;
  // Every model in chain order.
  std::span<const ir_archive_model> all_models() const;
  // The name of brand b (checked at open for every brand a model uses; empty for any other).
  std::string brand_name(std::uint16_t brand) const;

  // Browsing, as the Add Device wizard does it. brands remembers the category and returns the
  // names of the brands of its models in the order of their first model in the chain, each once
  // (empty, and no category chosen, for an identifier out of range). models remembers the brand
  // at that index of the last brand list and returns the names of the models of the chosen
  // category and that brand, in chain order (empty, and no brand chosen, when out of range).
  std::vector<std::string> brands(int category);
  std::vector<std::string> models(int brand_index);
  int chosen_category() const;
  int chosen_brand() const;  // brand identifier, -1 before a choice
  // The model at that index of the last model list, or nullptr.
  const ir_archive_model* listed_model(int model_index) const;

  // The record of the listed model's signal whose name equals name exactly (byte-wise). 1113 for
  // a model index out of range or no such signal. The bytes stay valid until the archive closes.
  [[nodiscard]] zq::result_t find_signal(int model_index, std::string_view name,
                                         std::span<const std::uint8_t>& out) const;
  // Every signal record of the listed model in record order (empty for an index out of range).
  std::vector<std::span<const std::uint8_t>> model_signals(int model_index) const;
  // The same for any model of all_models().
  std::vector<std::span<const std::uint8_t>> signals_of(const ir_archive_model& model) const;

 private:
  zq::result_t check();

  struct state;
  std::unique_ptr<state> state_;
};

}  // namespace xman
