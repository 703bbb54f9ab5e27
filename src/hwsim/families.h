// The processor families the simulator knows, and which one a processor text selects. The texts
// are tested in the same order as the IR engine's processor detection, so a device always gets
// the blocks of the driver that will run on it.
//
// Each family builds its blocks in its own file (pxa25x_family.cpp, ...) through one function;
// a family without blocks yet builds none, and its driver then finds no register page.
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
