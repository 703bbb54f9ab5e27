#include "support/meta_event_log.h"

#include "storage/meta_reader.h"

namespace zqtest {

std::string meta_event_log::describe(const meta::name_ref& name) {
  std::string out = name.text != nullptr ? name.text : "(null)";
  return name.index != 0 ? out + "#" + std::to_string(name.index) : out;
}

std::string meta_event_log::describe(const meta::value& v) {
  switch (v.type) {
    case meta::type_t::empty:
      return "e";
    case meta::type_t::int8:
      return "i8:" + std::to_string(v.integer);
    case meta::type_t::int16:
      return "i16:" + std::to_string(v.integer);
    case meta::type_t::int32_write_only:
    case meta::type_t::int32:
      return "i32:" + std::to_string(v.integer);
    case meta::type_t::boolean:
      return "b:" + std::to_string(v.integer);
    case meta::type_t::binary: {
      static constexpr char digits[] = "0123456789abcdef";
      std::string out = "bin:";
      for (std::uint32_t i = 0; i < v.length; ++i) out += {digits[v.data[i] >> 4], digits[v.data[i] & 15]};
      return out;
    }
    case meta::type_t::string: {
      std::string out = "s:";
      for (const char c : v.text_view()) out += c == '\0' ? std::string("\\0") : std::string(1, c);
      return out;
    }
  }
  return "?";
}

zq::result_t meta_event_log::record(const std::string& event) {
  text += text.empty() ? event : " " + event;
  const auto reply = replies.find(event);
  return reply == replies.end() ? 0 : reply->second;
}

zq::result_t meta_event_log::start_element(const meta::name_ref& name) { return record("+" + describe(name)); }

zq::result_t meta_event_log::raw_element(const meta::name_ref& name, const std::uint8_t*, std::size_t size) {
  return record("raw:" + describe(name) + ":" + std::to_string(size));
}

zq::result_t meta_event_log::end_element(const meta::name_ref& name) { return record("-" + describe(name)); }

zq::result_t meta_event_log::attribute(const meta::name_ref& name, const meta::value& v) {
  return record("@" + describe(name) + "=" + describe(v));
}

zq::result_t meta_event_log::content(const meta::value& v) { return record(describe(v)); }

zq::result_t meta_event_log::error(const meta::meta_exception& e) { return record(std::string("!") + e.what()); }

parsed_events parse_events(const std::vector<std::uint8_t>& doc, const std::map<std::string, zq::result_t>& replies) {
  std::vector<std::uint8_t> exact(doc);
  meta_event_log log;
  log.replies = replies;
  auto reader = meta::detail::create_reader();
  reader->set_handler(&log);
  meta::input_buffer input{exact.data(), exact.size()};
  const zq::result_t result = meta::parse(*reader, input);
  return {result, log.text};
}

meta_bytes& meta_bytes::add(std::initializer_list<int> raw) {
  for (const int b : raw) bytes_.push_back(static_cast<std::uint8_t>(b));
  return *this;
}

meta_bytes& meta_bytes::str(const std::string& text) {
  bytes_.push_back(0x2A);
  bytes_.push_back(static_cast<std::uint8_t>(text.size() + 1));
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  bytes_.push_back(0);
  return *this;
}

meta_bytes& meta_bytes::open(const std::string& name) {
  bytes_.push_back(0x01);
  return str(name);
}

meta_bytes& meta_bytes::open(std::uint16_t index) { return add({0x01, 0x22, index >> 8, index & 0xFF}); }

}  // namespace zqtest
