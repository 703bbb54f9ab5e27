#include "ir/interchange/codebase_interchange.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>

#include "ir/codebase_signals.h"
#include "ir/signal_data.h"

namespace redeye {

zq::result_t codebase_named_signals(const xman::codebase& codebase, std::vector<named_signal>& out,
                                    std::string& failed_name) {
  std::vector<std::pair<std::uint16_t, std::string_view>> in_order;
  for (const auto& [name, index] : codebase.signals()) in_order.emplace_back(index, name);
  std::sort(in_order.begin(), in_order.end());
  std::vector<named_signal> signals;
  for (const auto& [index, name] : in_order) {
    named_signal signal{std::string(name), {}};
    const unsigned readings = std::min(signal_reading_count(codebase.record(index)), 2U);
    for (unsigned reading = 0; reading < std::max(readings, 1U); ++reading) {
      signal_data decoded;
      if (const zq::result_t code = read_signal(codebase, index, reading, decoded); code != zq::rc::ok) {
        failed_name = signal.name;
        return code;
      }
      signal.readings.push_back(std::move(decoded));
    }
    signals.push_back(std::move(signal));
  }
  out = std::move(signals);
  return zq::rc::ok;
}

zq::result_t store_named_signals(xman::codebase_writer& codebase, const std::vector<named_signal>& signals,
                                 std::string& failed_name) {
  std::vector<std::vector<std::uint8_t>> records(signals.size());
  for (std::size_t i = 0; i < signals.size(); ++i) {
    const named_signal& signal = signals[i];
    zq::result_t code = signal.readings.empty() ? zq::rc::signal_without_items
                                                : encode_signal_record(signal.name, signal.readings.front(), records[i]);
    for (std::size_t reading = 1; code == zq::rc::ok && reading < signal.readings.size(); ++reading) {
      code = append_signal_reading(records[i], signal.readings[reading], records[i]);
    }
    if (code != zq::rc::ok) {
      failed_name = signal.name;
      return code;
    }
  }
  for (std::size_t i = 0; i < signals.size(); ++i) {
    if (const int index = codebase.signal_index_of(signals[i].name); index > 0) {
      codebase.replace_record(static_cast<std::size_t>(index), records[i]);
    } else {
      codebase.append_record(records[i]);
    }
  }
  return zq::rc::ok;
}

}  // namespace redeye
