#include "platform/serial_port.h"

#include <cerrno>
#include <cwctype>
#include <map>

#include "platform/clock.h"
#include "platform/simulated_hardware.h"

namespace platform {

namespace {

struct open_port {
  std::wstring name;
  serial_settings settings;
  serial_timeouts timeouts;
  bool ir_mode = false;
};

struct port_table {
  std::map<port_handle, open_port> open;
  port_handle next = 0x100;
  std::vector<serial_event> log;
};

port_table& ports() {
  static port_table table;
  return table;
}

bool same_name(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) return false;
  return true;
}

open_port* find(port_handle port) {
  const auto found = ports().open.find(port);
  return found == ports().open.end() ? nullptr : &found->second;
}

serial_event event(serial_event::kind_t kind, std::wstring_view name) {
  serial_event e;
  e.kind = kind;
  e.port = name;
  e.time_ns = clock::now_ns();
  return e;
}

}  // namespace

int open_serial_port(std::wstring_view name, port_handle& out) {
  simulated_hardware* device = installed_simulated_hardware();
  int error = 0;
  if (!device || name.empty() || !device->serial_port_exists(name)) {
    error = ENOENT;
  } else {
    for (const auto& [handle, port] : ports().open)
      if (same_name(port.name, name)) error = EBUSY;
  }
  if (error != 0) {
    ports().log.push_back(event(serial_event::kind_t::open_failed, name));
    return error;
  }
  const port_handle handle = ports().next++;
  ports().open[handle] = open_port{std::wstring(name), {}, {}, false};
  ports().log.push_back(event(serial_event::kind_t::open, name));
  out = handle;
  return 0;
}

bool get_serial_settings(port_handle port, serial_settings& out) {
  const open_port* p = find(port);
  if (!p) return false;
  out = p->settings;
  return true;
}

bool set_serial_settings(port_handle port, const serial_settings& settings) {
  open_port* p = find(port);
  if (!p) return false;
  p->settings = settings;
  serial_event e = event(serial_event::kind_t::settings, p->name);
  e.settings = settings;
  ports().log.push_back(e);
  return true;
}

bool set_serial_timeouts(port_handle port, const serial_timeouts& timeouts) {
  open_port* p = find(port);
  if (!p) return false;
  p->timeouts = timeouts;
  serial_event e = event(serial_event::kind_t::timeouts, p->name);
  e.timeouts = timeouts;
  ports().log.push_back(e);
  return true;
}

bool escape_serial_function(port_handle port, serial_escape_t function) {
  open_port* p = find(port);
  if (!p) return false;
  if (function != serial_escape_t::set_ir && function != serial_escape_t::clear_ir) return false;
  p->ir_mode = function == serial_escape_t::set_ir;
  serial_event e = event(serial_event::kind_t::escape, p->name);
  e.escape = function;
  ports().log.push_back(e);
  if (simulated_hardware* device = installed_simulated_hardware()) device->serial_ir_mode(p->name, p->ir_mode);
  return true;
}

bool close_serial_port(port_handle port) {
  const auto found = ports().open.find(port);
  if (found == ports().open.end()) return false;
  ports().log.push_back(event(serial_event::kind_t::close, found->second.name));
  ports().open.erase(found);
  return true;
}

const std::vector<serial_event>& serial_event_log() { return ports().log; }

void clear_serial_event_log() { ports().log.clear(); }

void reset_serial_ports() {
  ports().open.clear();
  ports().log.clear();
}

bool serial_port_is_open(std::wstring_view name) {
  for (const auto& [handle, port] : ports().open)
    if (same_name(port.name, name)) return true;
  return false;
}

}  // namespace platform
