#include "ir/chosen_port.h"

#include "ir/driver_registry.h"
#include "ir/port_choice.h"
#include "storage/settings.h"

namespace redeye {

chosen_port_outcome apply_chosen_port(std::wstring_view entry, xman::settings& settings) {
  const std::wstring port = port_name_of_entry(entry);
  chosen_port_outcome outcome;
  if (CIrDrvr* driver = get_driver()) {
    driver->set_port_name(port);
    outcome.driver_found = true;
  }
  outcome.stored = settings.set_ir_port(port);
  return outcome;
}

}  // namespace redeye
