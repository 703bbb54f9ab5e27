// Loads arbitrary bytes as a whole database file image and reads every byte of every record, so
// that a record reaching outside the image shows up under AddressSanitizer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "storage/database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  xman::database db;
  if (db.load_image(std::vector<std::uint8_t>(data, data + size)) != zq::rc::ok) return 0;
  volatile std::uint8_t sum = 0;
  for (std::size_t i = 0; i < db.record_count(); ++i) {
    for (const std::uint8_t byte : db.record(i)) sum = static_cast<std::uint8_t>(sum + byte);
  }
  for (const char c : db.name()) sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(c));
  // Changing records and forming the image to save touches the loaded records again.
  if (db.record_count() > 0) db.replace_record(0, db.record(db.record_count() - 1));
  db.add_record(std::vector<std::uint8_t>{1, 2, 3});
  if (db.record_count() > 1) db.remove_record(1);
  (void)sum;
  return 0;
}
