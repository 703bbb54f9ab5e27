#include "platform/device_profile.h"

#include <cstdlib>
#include <filesystem>
#include <initializer_list>

#include "base/text_conversion.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/registry_reader.h"

namespace platform {

namespace {

const registry_key_node* find_key(const registry_key_node& root, std::initializer_list<std::wstring_view> path) {
  const registry_key_node* key = &root;
  for (const std::wstring_view name : path) {
    const auto next = key->find_subkey(name);
    if (next == nullptr) return nullptr;
    key = next.get();
  }
  return key;
}

const std::wstring* string_value(const registry_key_node* key, std::wstring_view name) {
  const registry_value* value = key != nullptr ? key->find_value(name) : nullptr;
  return value != nullptr && value->type == registry_type::string ? &value->text : nullptr;
}

const std::uint32_t* number_value(const registry_key_node* key, std::wstring_view name) {
  const registry_value* value = key != nullptr ? key->find_value(name) : nullptr;
  return value != nullptr && value->type == registry_type::number ? &value->number : nullptr;
}

zq::result_t incomplete(std::string& problem, std::string what) {
  problem = std::move(what);
  return zq::rc::device_profile_incomplete;
}

std::string shipped_names() {
  std::string names;
  for (const shipped_device_profile& profile : shipped_device_profiles()) {
    if (!names.empty()) names += ", ";
    names += profile.name;
  }
  return names;
}

}  // namespace

zq::result_t describe_device_profile(const registry_tree& content, device_profile& out, std::string& problem) {
  device_profile profile;
  const registry_key_node& machine = *content.local_machine;
  if (const std::wstring* text = string_value(find_key(machine, {L"Device Profile"}), L"")) profile.description = *text;

  const registry_key_node* screen = find_key(machine, {L"Device Profile", L"Screen"});
  const std::uint32_t* width = number_value(screen, L"Width");
  const std::uint32_t* height = number_value(screen, L"Height");
  const std::uint32_t* dpi = number_value(screen, L"Dpi");
  if (width == nullptr || height == nullptr || dpi == nullptr)
    return incomplete(problem, "Device Profile\\Screen needs the numbers Width, Height and Dpi");
  if (*width < 1 || *width > 4096 || *height < 1 || *height > 4096 || *dpi < 1 || *dpi > 1000)
    return incomplete(problem, "the screen must be 1 to 4096 pixels each way at 1 to 1000 dpi");
  profile.screen = {static_cast<int>(*width), static_cast<int>(*height)};
  profile.dpi = *dpi;

  const registry_key_node* processor = find_key(machine, {L"Device Profile", L"Processor"});
  const std::wstring* core = string_value(processor, L"Core");
  const std::wstring* name = string_value(processor, L"Name");
  if (name == nullptr || name->empty()) return incomplete(problem, "Device Profile\\Processor needs its Name");
  profile.processor.core_name = core != nullptr ? zq::wide_to_code_page(*core) : "";
  profile.processor.processor_name = zq::wide_to_code_page(*name);
  if (const std::uint32_t* clock = number_value(processor, L"Clock")) profile.processor.clock_hz = *clock;
  if (const std::wstring* family = string_value(processor, L"Family")) profile.family = zq::wide_to_code_page(*family);

  const registry_key_node* infrared = find_key(machine, {L"Device Profile", L"Infrared"});
  if (const std::uint32_t* uart = number_value(infrared, L"Uart")) {
    if (*uart > 15) return incomplete(problem, "Device Profile\\Infrared\\Uart must be 0 to 15");
    profile.ir_uart = static_cast<int>(*uart);
  }
  if (const std::uint32_t* at_start = number_value(infrared, L"ModeAtStart")) profile.ir_mode_at_start = *at_start != 0;
  if (const std::wstring* port = string_value(infrared, L"Port")) profile.ir_port = *port;

  if (const registry_key_node* active = find_key(machine, {L"Drivers", L"Active"})) {
    for (const auto& driver : active->subkeys()) {
      const std::wstring* port = string_value(driver.get(), L"Name");
      if (port != nullptr && port->starts_with(L"COM")) profile.serial_ports.push_back(*port);
    }
  }
  out = std::move(profile);
  return zq::rc::ok;
}

zq::result_t load_device_profile(std::string_view choice, device_profile& out, std::string& problem) {
  if (choice.empty()) choice = default_device_profile_name;
  std::string_view text;
  std::vector<std::uint8_t> file_bytes;
  for (const shipped_device_profile& profile : shipped_device_profiles())
    if (profile.name == choice) text = profile.text;
  if (text.data() == nullptr) {
    std::error_code ec;
    const std::filesystem::path host(choice);
    const std::filesystem::path absolute = std::filesystem::absolute(host, ec);
    if (const int rc = read_whole_file(device_path(ec ? host : absolute), file_bytes); rc != 0) {
      problem = std::string(choice) + " is no shipped profile (" + shipped_names() + ") and no readable file (error " +
                std::to_string(rc) + ")";
      return zq::rc::device_profile_unknown;
    }
    text = {reinterpret_cast<const char*>(file_bytes.data()), file_bytes.size()};
  }

  registry_tree content;
  registry_text_error error;
  if (const zq::result_t rc = read_registry_text(text, content, error); rc != zq::rc::ok) {
    problem = std::string(choice) + " line " + std::to_string(error.line) + ": " + error.reason;
    return rc;
  }
  device_profile profile;
  if (const zq::result_t rc = describe_device_profile(content, profile, problem); rc != zq::rc::ok) {
    problem = std::string(choice) + ": " + problem;
    return rc;
  }
  profile.name = choice;
  replace_registry(std::move(content));
  out = std::move(profile);
  return zq::rc::ok;
}

zq::result_t load_device_profile_of_process(device_profile& out, std::string& problem) {
  const char* choice = std::getenv("ZEQUON_DEVICE");
  return load_device_profile(choice != nullptr ? choice : "", out, problem);
}

}  // namespace platform
