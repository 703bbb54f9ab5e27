// Testing a serial port from the IR port setup: the program's driver sends the fixed test signal
// (ir/port_test_signal.h) through the port, then goes back to the stored port, so that a test
// never changes the port in force.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace redeye {

// Gives the driver port_name, sends the test signal through the transmit pipeline with pass
// count 0 (three passes) and the stylus as hold key, closes the port, and gives the driver
// stored_port again. The driver's code: 0 sent, else the failure (13 the port cannot be opened,
// 303 no infrared UART after opening it, ...). Nothing, and nothing done, without a driver for
// this processor.
std::optional<zq::result_t> test_port(std::wstring_view port_name, std::wstring_view stored_port);

// What the setup tells the user after a test with that code.
std::wstring port_test_message(zq::result_t code);

}  // namespace redeye
