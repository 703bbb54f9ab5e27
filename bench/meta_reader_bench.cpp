// Reading speed of the meta document reader on a layout-shaped document: a page of 200 buttons,
// each an element with 8 attributes (ints and strings) and indexed names, read with a handler that
// touches every event. The same content encoded as MessagePack is read with msgpack-c
// (msgpack_unpack_next into its zone, then a walk of the objects) for comparison.
//
// Required: at least 500 MB/s, and at least 1.5 times as fast as msgpack-c on the same content.
// The MessagePack bytes are fewer (small integers take one byte there), so speed is compared as
// buttons read per second; the figures and the ratio are printed after the runs.
#include <benchmark/benchmark.h>
#include <msgpack.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "storage/meta_indexed_document.h"
#include "storage/meta_reader.h"

namespace {

constexpr int button_count = 200;

struct button_data {
  std::int16_t x, y, w, h;
  std::int32_t id;
  std::string label, action;
  std::int8_t style;
};

std::vector<button_data> buttons() {
  static const char* const labels[] = {"Power", "Vol+", "Vol-", "Mute", "Ch+", "Ch-", "Menu", "OK", "Back", "Input"};
  std::vector<button_data> out;
  for (int i = 0; i < button_count; ++i) {
    out.push_back(button_data{static_cast<std::int16_t>(10 + (i % 4) * 56), static_cast<std::int16_t>(40 + (i / 4) * 36),
                              48, 32, 1000 + i, labels[i % 10], std::string("$macro_") + std::to_string(i),
                              static_cast<std::int8_t>(i % 7)});
  }
  return out;
}

// Attribute and element names, in the order the indexed writer numbers them.
const char* const names[] = {"page", "button", "x", "y", "w", "h", "id", "label", "action", "style"};

std::vector<std::uint8_t> meta_document() {
  meta::indexed_document_writer doc;
  auto& w = doc.body();
  w.write_start("page");
  for (const button_data& b : buttons()) {
    w.write_start("button");
    w.write_attribute("x", meta::value::of_int16(b.x));
    w.write_attribute("y", meta::value::of_int16(b.y));
    w.write_attribute("w", meta::value::of_int16(b.w));
    w.write_attribute("h", meta::value::of_int16(b.h));
    w.write_attribute("id", meta::value::of_int32(b.id));
    w.write_attribute("label", meta::value::of_text(b.label.c_str()));
    w.write_attribute("action", meta::value::of_text(b.action.c_str()));
    w.write_attribute("style", meta::value::of_int8(b.style));
    w.write_end();
  }
  w.write_end();
  std::vector<std::uint8_t> bytes;
  if (doc.finish(bytes) != 0) std::abort();
  return bytes;
}

// The same content: [names, [page index, [[button index, {name index: value} x 8] x 200]]].
std::vector<std::uint8_t> msgpack_document() {
  msgpack_sbuffer buffer;
  msgpack_sbuffer_init(&buffer);
  msgpack_packer pk;
  msgpack_packer_init(&pk, &buffer, msgpack_sbuffer_write);
  msgpack_pack_array(&pk, 2);
  msgpack_pack_array(&pk, std::size(names));
  for (const char* n : names) {
    msgpack_pack_str(&pk, std::strlen(n) + 1);
    msgpack_pack_str_body(&pk, n, std::strlen(n) + 1);
  }
  msgpack_pack_array(&pk, 2);
  msgpack_pack_uint16(&pk, 1);
  msgpack_pack_array(&pk, button_count);
  for (const button_data& b : buttons()) {
    msgpack_pack_array(&pk, 2);
    msgpack_pack_uint16(&pk, 2);
    msgpack_pack_map(&pk, 8);
    const std::int32_t ints[] = {b.x, b.y, b.w, b.h, b.id};
    for (int i = 0; i < 5; ++i) {
      msgpack_pack_uint16(&pk, static_cast<std::uint16_t>(3 + i));
      msgpack_pack_int32(&pk, ints[i]);
    }
    for (const std::string* s : {&b.label, &b.action}) {
      msgpack_pack_uint16(&pk, s == &b.label ? 8 : 9);
      msgpack_pack_str(&pk, s->size() + 1);
      msgpack_pack_str_body(&pk, s->c_str(), s->size() + 1);
    }
    msgpack_pack_uint16(&pk, 10);
    msgpack_pack_int8(&pk, b.style);
  }
  std::vector<std::uint8_t> bytes(buffer.data, buffer.data + buffer.size);
  msgpack_sbuffer_destroy(&buffer);
  return bytes;
}

// Sums name indices, integers and string lengths.
class summing_handler final : public meta::simple::element_handler {
 public:
  std::uint64_t sum = 0;

  zq::result_t start_element(const meta::name_ref& name) override {
    sum += name.index;
    return 0;
  }
  zq::result_t end_element(const meta::name_ref& name) override {
    sum += name.index;
    return 0;
  }
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override {
    sum += name.index;
    add(v);
    return 0;
  }
  zq::result_t content(const meta::value& v) override {
    add(v);
    return 0;
  }
  zq::result_t error(const meta::meta_exception&) override { return 0; }

 private:
  void add(const meta::value& v) {
    if (v.type == meta::type_t::string || v.type == meta::type_t::binary) {
      sum += v.length;
    } else {
      sum += static_cast<std::uint32_t>(v.integer);
    }
  }
};

void walk(const msgpack_object& o, std::uint64_t& sum) {
  switch (o.type) {
    case MSGPACK_OBJECT_POSITIVE_INTEGER:
      sum += o.via.u64;
      break;
    case MSGPACK_OBJECT_NEGATIVE_INTEGER:
      sum += static_cast<std::uint64_t>(o.via.i64);
      break;
    case MSGPACK_OBJECT_STR:
      sum += o.via.str.size;
      break;
    case MSGPACK_OBJECT_ARRAY:
      for (std::uint32_t i = 0; i < o.via.array.size; ++i) walk(o.via.array.ptr[i], sum);
      break;
    case MSGPACK_OBJECT_MAP:
      for (std::uint32_t i = 0; i < o.via.map.size; ++i) {
        walk(o.via.map.ptr[i].key, sum);
        walk(o.via.map.ptr[i].val, sum);
      }
      break;
    default:
      break;
  }
}

void meta_reader(benchmark::State& state) {
  const std::vector<std::uint8_t> doc = meta_document();
  for (auto _ : state) {
    auto reader = meta::detail::create_reader();
    summing_handler handler;
    reader->set_handler(&handler);
    meta::input_buffer input{doc.data(), doc.size()};
    if (meta::parse(*reader, input) != 0) state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(handler.sum);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.size()));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * button_count));
  state.counters["doc_bytes"] = static_cast<double>(doc.size());
}
BENCHMARK(meta_reader);

void msgpack_c_unpack(benchmark::State& state) {
  const std::vector<std::uint8_t> doc = msgpack_document();
  msgpack_unpacked unpacked;
  msgpack_unpacked_init(&unpacked);
  for (auto _ : state) {
    std::size_t offset = 0;
    if (msgpack_unpack_next(&unpacked, reinterpret_cast<const char*>(doc.data()), doc.size(), &offset) !=
        MSGPACK_UNPACK_SUCCESS) {
      state.SkipWithError("unpack failed");
    }
    std::uint64_t sum = 0;
    walk(unpacked.data, sum);
    benchmark::DoNotOptimize(sum);
  }
  msgpack_unpacked_destroy(&unpacked);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.size()));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * button_count));
  state.counters["doc_bytes"] = static_cast<double>(doc.size());
}
BENCHMARK(msgpack_c_unpack);

struct speed {
  double bytes_per_second = 0;
  double buttons_per_second = 0;
};

// Prints the runs as usual and remembers each benchmark's speed (the median when repetitions are
// asked for).
class ratio_reporter : public benchmark::ConsoleReporter {
 public:
  speed meta;
  speed msgpack;

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const auto bytes = run.counters.find("bytes_per_second");
      const auto items = run.counters.find("items_per_second");
      if (bytes == run.counters.end() || items == run.counters.end() || run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      const std::string name = run.run_name.function_name;
      const speed measured{bytes->second, items->second};
      if (name == "meta_reader") meta = measured;
      if (name == "msgpack_c_unpack") msgpack = measured;
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ratio_reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.meta.buttons_per_second > 0 && reporter.msgpack.buttons_per_second > 0) {
    std::printf(
        "meta reader: %.0f MB/s; msgpack-c: %.0f MB/s; same content read %.2f times as fast "
        "(required: 500 MB/s and 1.5)\n",
        reporter.meta.bytes_per_second / 1e6, reporter.msgpack.bytes_per_second / 1e6,
        reporter.meta.buttons_per_second / reporter.msgpack.buttons_per_second);
  }
  benchmark::Shutdown();
  return 0;
}
