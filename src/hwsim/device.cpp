#include "hwsim/device.h"

#include <cwctype>

#include "hwsim/families.h"

namespace hwsim {

namespace {

bool same_port_name(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) return false;
  return true;
}

}  // namespace

device::device(device_description description) : description_(std::move(description)) {
  if (const family_entry* family = family_for(description_.text())) {
    family_ = family->name;
    family->build(*this);
  }
}

device::~device() { uninstall(); }

void device::install() {
  platform::install_simulated_hardware(this);
  installed_ = true;
}

void device::uninstall() {
  if (installed_ && platform::installed_simulated_hardware() == this) platform::install_simulated_hardware(nullptr);
  installed_ = false;
}

bool device::processor(platform::processor_info& out) {
  out.core_name = description_.core_name;
  out.processor_name = description_.processor_name;
  out.clock_hz = description_.clock_hz;
  return true;
}

platform::register_block* device::register_block_at(std::uint32_t page_address) {
  const auto found = blocks_.find(page_address);
  return found == blocks_.end() ? nullptr : found->second.get();
}

bool device::serial_port_exists(std::wstring_view name) {
  if (!description_.ir_port_name.empty() && same_port_name(name, description_.ir_port_name)) return true;
  for (const std::wstring& other : description_.other_ports)
    if (same_port_name(name, other)) return true;
  return false;
}

void device::serial_ir_mode(std::wstring_view name, bool on) {
  if (description_.ir_port_name.empty() || !same_port_name(name, description_.ir_port_name)) return;
  set_uart_ir_mode(description_.ir_uart, on);
}

}  // namespace hwsim
