#include "ir/codebase_signals.h"

#include <cstdint>
#include <vector>

#include "storage/codebase_record.h"

namespace redeye {
namespace {

// Record 0 is the layout document, which may well start with a non-zero byte: it is never a signal.
bool is_signal_record(const xman::codebase& codebase, std::size_t index) {
  if (index == 0 || index >= codebase.record_count()) return false;
  return xman::is_signal_kind(xman::classify_codebase_record(codebase.record(index)).kind);
}

}  // namespace

zq::result_t read_signal(const xman::codebase& codebase, std::size_t index, unsigned reading, signal_data& out) {
  if (!is_signal_record(codebase, index)) return zq::rc::bad_signal_record;
  return decode_signal_record(codebase.record(index), reading > 0 ? 1U : 0U, out);
}

zq::result_t put_signal(xman::codebase_writer& codebase, std::string_view name, const signal_data& signal,
                        bool replace) {
  std::vector<std::uint8_t> encoded;
  const int index = codebase.signal_index_of(name);
  if (index <= 0) {
    if (const zq::result_t result = encode_signal_record(name, signal, encoded); result != zq::rc::ok) return result;
    codebase.append_record(encoded);
    return zq::rc::ok;
  }
  const auto at = static_cast<std::size_t>(index);
  const zq::result_t result = replace ? encode_signal_record(name, signal, encoded)
                                      : append_signal_reading(codebase.record(at), signal, encoded);
  if (result != zq::rc::ok) return result;
  // `name` may point into the record replaced here; it is not used afterwards.
  codebase.replace_record(at, encoded);
  return zq::rc::ok;
}

zq::result_t delete_signal(xman::codebase_writer& codebase, std::size_t index) {
  if (!is_signal_record(codebase, index)) return zq::rc::bad_signal_record;
  codebase.remove_record(index);
  return zq::rc::ok;
}

}  // namespace redeye
