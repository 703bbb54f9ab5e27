// Fuzzes the macro reader with the input as a whole macro record. A record it accepts is listed
// line by line, written back and read again, which must give the same items (less those the
// writer leaves out); it is also played on a context without a codebase on the virtual clock,
// which must end with the error the reading predicts.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ir/context.h"
#include "ir/disassembler.h"
#include "ir/macro_player.h"
#include "ir/macro_reader.h"
#include "ir/macro_writer.h"
#include "platform/clock.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

// The items as the writer stores them: no empty actions or zero delays; a reference keeps its
// transmit time when there is one, else its pass count.
std::vector<redeye::macro_item> as_written(const std::vector<redeye::macro_item>& items) {
  std::vector<redeye::macro_item> out;
  for (redeye::macro_item item : items) {
    if (item.type == redeye::macro_item_type_t::action && item.name.empty()) continue;
    if (item.type == redeye::macro_item_type_t::delay && item.time <= 0) continue;
    if (item.type == redeye::macro_item_type_t::reference) {
      if (item.time > 0) {
        item.repeat = -1;
      } else {
        item.time = -1;
      }
    }
    out.push_back(item);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> record(data, size);
  std::vector<redeye::macro_item> items;
  const zq::result_t read = redeye::read_macro(record, items);
  check(read == 0 || read == redeye::macro_unreadable);

  platform::clock::use_virtual(0);
  redeye::context ctx;
  ctx.macro_unit = record;
  redeye::play_macro(ctx, redeye::macro_start_depth, true);
  if (size == 0) {
    check(ctx.error == (redeye::error_t{redeye::error_category::macro_hot_list, 0}));
  } else {
    check(ctx.error == (read == 0 ? redeye::error_t{}
                                  : redeye::error_t{redeye::error_category::macro_internal, redeye::macro_unreadable}));
  }
  if (read != 0) return 0;

  volatile std::size_t sink = 0;
  for (const redeye::macro_item& item : items) {
    sink = sink + redeye::disassembler::disassemble(item).size();
    check(item.repeat >= -1 && item.repeat <= 0xFFFF && item.time >= -1 && item.time <= 0xFFFF);
  }
  std::vector<std::uint8_t> written;
  if (redeye::write_macro(items, "M", written) != 0) {
    check(items.empty());
    return 0;
  }
  std::vector<redeye::macro_item> again;
  check(redeye::read_macro(written, again) == 0);
  check(again == as_written(items));
  return 0;
}
