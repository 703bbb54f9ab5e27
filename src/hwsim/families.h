// The processor families the simulator knows, and which one a processor text selects. The texts
// are tested in the same order as the IR engine's processor detection, so a device always gets
// the blocks of the driver that will run on it.
//
// Each family builds its blocks in its own file (pxa25x_family.cpp, ...) through one function;
// a family without blocks yet builds none, and its driver then finds no register page.
//
// A family's builder, as pxa_blocks.cpp does it:
// - places one block per 4 KB register page: d.add_block<Block>(page_address, args...), the
//   block derived from register_file (plain registers that keep their values) and overriding
//   read32/write32 (and read8/write8 for byte registers) where the hardware behaves otherwise;
// - times its counters with tick_clock (free-running, counting up) or down_counter (reload,
//   one-shot, underflows): a counter read moves virtual time to the timer's next tick, other
//   accesses cost nothing, and a read of an input pin's level costs pin_read_ns
//   (platform::clock::advance_by) and samples d.receiver().level_at(now) on the receive pin;
// - calls d.led().set(level) whenever the level of the pin the LED hangs on may have changed
//   (the recorder keeps changes only), and d.set_timer_hz(rate of the timer pacing the LED);
// - registers d.set_ir_mode_switch(...) so that the serial port's infrared mode and the
//   description's ir_uart / ir_mode_at_start reach the right UART block.
#pragma once

#include <array>
#include <string_view>

namespace hwsim {

class device;

using family_builder = void (*)(device&);

struct family_entry {
  std::string_view name;
  std::array<std::string_view, 3> needles;  // any one found in the processor text selects it
  family_builder build;
};

// The first family one of whose needles the text contains, or null.
const family_entry* family_for(std::string_view processor_text);

void build_sa11x0(device& d);
void build_pxa25x(device& d);
void build_pxa27x(device& d);
void build_s3c24xx(device& d);
void build_omap1510(device& d);
void build_omap850(device& d);

}  // namespace hwsim
