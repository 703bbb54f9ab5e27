// zqtool ir: sending a codebase's signal and learning one, on a simulated handheld (the real
// drivers against hwsim, on the virtual clock) or through a Linux IR device.
#pragma once

#include "zqtool_commands.h"

namespace zqtool {

inline constexpr const char* ir_usage =
    "ir send FILE NAME --sim CPU [--clock HZ] [--passes N] [--hold MS] [--ir-uart 0|1|2|3] [--port NAME] "
    "[--edges]\n"
    "       zqtool ir send FILE NAME --lirc DEVICE [--passes N]\n"
    "       zqtool ir learn --sim CPU [--clock HZ] --input FILE [--carrier HZ]\n"
    "       zqtool ir learn --lirc DEVICE";

// Each takes the arguments after "ir", its own command word first.
int ir_send(const arguments& args);
int ir_learn(const arguments& args);

}  // namespace zqtool
