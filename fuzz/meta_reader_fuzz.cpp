// Fuzzes the meta document reader and the text form.
//
// Each input is parsed three ways: with a handler that touches every byte it is handed; with a
// stack of ladder handlers whose answers (go on, child handler, skip, raw bytes, abort) are drawn
// from a generator seeded by the input; and, when the reader accepts it, dumped to text and
// compiled back, which must give the input byte for byte.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "storage/meta_ladder_handler.h"
#include "storage/meta_reader.h"
#include "storage/meta_text.h"

namespace {

volatile std::uint32_t g_sink;

// Reads every byte of every name and value.
class touching_handler final : public meta::simple::element_handler {
 public:
  std::uint32_t sum = 0;

  zq::result_t start_element(const meta::name_ref& name) override { return touch_name(name); }
  zq::result_t end_element(const meta::name_ref& name) override { return touch_name(name); }
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override {
    touch_name(name);
    return touch_value(v);
  }
  zq::result_t content(const meta::value& v) override { return touch_value(v); }
  zq::result_t error(const meta::meta_exception& e) override {
    sum += static_cast<std::uint32_t>(std::strlen(e.what()));
    return 0;
  }

 private:
  zq::result_t touch_name(const meta::name_ref& name) {
    sum += static_cast<std::uint32_t>(std::strlen(name.text)) + name.index;
    for (std::uint32_t i = 0; i < name.length; ++i) sum += static_cast<std::uint8_t>(name.text[i]);
    return 0;
  }
  zq::result_t touch_value(const meta::value& v) {
    sum += static_cast<std::uint32_t>(v.type) + static_cast<std::uint32_t>(v.integer);
    for (std::uint32_t i = 0; i < v.length; ++i) sum += v.data[i];
    if (v.type == meta::type_t::string) sum += static_cast<std::uint32_t>(std::strlen(v.text()));
    return 0;
  }
};

struct generator {
  std::uint64_t state;
  unsigned next(unsigned bound) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<unsigned>((state >> 33) % bound);
  }
};

// One level of a handler stack; answers start_element with results drawn from the generator.
class steered_level final : public meta::simple::ladder_handler {
 public:
  steered_level(meta::detail::reader_impl& reader, element_handler* parent, generator& g)
      : ladder_handler(reader, parent), g_(g) {}

  element_handler* parent_level() const { return parent(); }

  zq::result_t start_element(const meta::name_ref& name) override {
    const bool first = own_name().empty();
    ladder_handler::start_element(name);
    g_sink = g_sink + static_cast<std::uint32_t>(std::strlen(name.text));
    if (first) return meta::simple::go_on;
    switch (g_.next(16)) {
      case 0:
      case 1:
        (new steered_level(reader(), this, g_))->attach();
        return meta::simple::again;
      case 2:
        return meta::simple::skip_element;
      case 3:
        return meta::simple::raw_bytes;
      case 4:
        return g_.next(8) == 0 ? meta::simple::abort_parse : meta::simple::go_on;
      default:
        return meta::simple::go_on;
    }
  }
  zq::result_t raw_element(const meta::name_ref&, const std::uint8_t* bytes, std::size_t size) override {
    g_sink = g_sink + bytes[0] + bytes[size - 1];
    return g_.next(2) == 0 ? meta::simple::skip_element : meta::simple::go_on;
  }
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override {
    g_sink = g_sink + name.index + v.length;
    return g_.next(32) == 0 ? meta::simple::skip_element : meta::simple::go_on;
  }
  zq::result_t content(const meta::value& v) override {
    g_sink = g_sink + static_cast<std::uint32_t>(v.integer) + v.length;
    return g_.next(32) == 0 ? meta::simple::skip_element : meta::simple::go_on;
  }

 private:
  generator& g_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto reader = meta::detail::create_reader();

  touching_handler touch;
  reader->set_handler(&touch);
  meta::input_buffer input{data, size};
  const zq::result_t plain = meta::parse(*reader, input);
  g_sink = touch.sum;
  if (input.position > size) std::abort();

  generator g{size};
  for (std::size_t i = 0; i < size && i < 64; ++i) g.state = g.state * 31 + data[i];
  auto steered_reader = meta::detail::create_reader();
  (new steered_level(*steered_reader, nullptr, g))->attach();
  meta::input_buffer again{data, size};
  meta::parse(*steered_reader, again);
  // An abort leaves the levels it stopped in; free them.
  for (auto* h = steered_reader->handler(); h != nullptr;) {
    auto* level = dynamic_cast<steered_level*>(h);
    if (level == nullptr) std::abort();
    h = level->parent_level();
    delete level;
  }

  std::string text;
  const zq::result_t dumped = meta::dump({data, size}, text);
  if ((dumped == 0) != (plain == 0)) std::abort();
  if (dumped == 0) {
    std::vector<std::uint8_t> back;
    meta::text_error error;
    if (meta::compile(text, {}, back, error) != 0) std::abort();
    if (back.size() != size || (size != 0 && std::memcmp(back.data(), data, size) != 0)) std::abort();
  }
  return 0;
}
