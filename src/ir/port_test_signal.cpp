#include "ir/port_test_signal.h"

namespace redeye {

signal_data port_test_signal() {
  return signal_data{
      {833, -927, 1764, -917, 885, -914, 861, -1829, 1750, -1829, 1777, -914, 861, -1829, 861, -922, 1769, -914, 889,
       -91203},
      27,
      0,
  };
}

}  // namespace redeye
