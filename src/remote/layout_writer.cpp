// Writing a layout_set as a codebase layout document, and one page of it as a document of its own.
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "remote/layout_set.h"
#include "storage/meta_indexed_document.h"
#include "storage/meta_value.h"
#include "storage/meta_writer.h"

namespace remote {

namespace {

constexpr std::int32_t document_version = 300;

// Integers take the narrowest form that holds them.
meta::value integer_value(std::int32_t v) {
  if (v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max()) {
    return meta::value::of_int16(static_cast<std::int16_t>(v));
  }
  return meta::value::of_int32(v);
}

void write_integer(meta::simple::writer& w, const char* name, std::int32_t v) {
  w.write_attribute(name, integer_value(v));
}

void write_text(meta::simple::writer& w, const char* name, const std::string& text) {
  w.write_attribute(name, meta::value::of_text(text.c_str()));
}

void write_button(meta::simple::writer& w, const button_record& b) {
  w.write_start(b.is_button != 0 ? "button" : "label");
  write_integer(w, "x", b.x);
  write_integer(w, "y", b.y);
  write_integer(w, "w", b.width);
  write_integer(w, "h", b.height);
  write_integer(w, "profile", b.profile);
  if (b.state != 0) write_integer(w, "state", b.state);
  if (!b.title.empty()) {
    w.write_start("title");
    write_text(w, "txt", b.title);
    if (b.title_dx != 0) write_integer(w, "dx", b.title_dx);
    if (b.title_dy != 0) write_integer(w, "dy", b.title_dy);
    if (b.font != 0) write_integer(w, "font", b.font);
    if (b.color != 0) w.write_attribute("color", meta::value::of_int32(static_cast<std::int32_t>(b.color)));
    w.write_end();
  }
  if (b.icon_profile != 0) {
    w.write_start("icon");
    write_integer(w, "profile", b.icon_profile);
    if (b.icon_dx != 0) write_integer(w, "dx", b.icon_dx);
    if (b.icon_dy != 0) write_integer(w, "dy", b.icon_dy);
    w.write_end();
  }
  if (!b.action.empty()) {
    w.write_start("action");
    write_text(w, "id", b.action);
    w.write_end();
  }
  w.write_end();
}

void write_page(meta::simple::writer& w, const layout_page& page) {
  w.write_start("page");
  write_integer(w, "bg", page.background);
  for (const button_record& b : page.buttons) write_button(w, b);
  w.write_end();
}

void write_layout_start(meta::simple::writer& w, const layout_entry& layout) {
  w.write_start("layout");
  write_integer(w, "base", layout.base);
  write_text(w, "orient", layout.orientation);
}

void write_root_start(meta::simple::writer& w, const layout_set& set) {
  w.write_start("remote");
  write_integer(w, "version", document_version);
  if (!set.skin.empty()) write_text(w, "skin", set.skin);
}

bool valid_layout(const layout_set& set) {
  return set.current_layout >= 0 && static_cast<std::size_t>(set.current_layout) < set.layouts.size();
}

// Joins names and body; out is replaced only by a complete document.
zq::result_t finish(meta::indexed_document_writer& doc, std::vector<std::uint8_t>& out) {
  std::vector<std::uint8_t> bytes;
  const zq::result_t r = doc.finish(bytes);
  if (r != 0) return r;
  out = std::move(bytes);
  return 0;
}

}  // namespace

zq::result_t write_layout_set(layout_set& set, std::vector<std::uint8_t>& out) {
  // Every layout of a saved codebase carries the edited pages, each keeping its own orientation.
  if (valid_layout(set)) {
    const layout_entry& current = set.layouts[static_cast<std::size_t>(set.current_layout)];
    for (std::size_t i = 0; i < set.layouts.size(); ++i) {
      if (i == static_cast<std::size_t>(set.current_layout)) continue;
      set.layouts[i].base = current.base;
      set.layouts[i].pages = current.pages;
    }
  }
  meta::indexed_document_writer doc;
  meta::simple::writer& w = doc.body();
  write_root_start(w, set);
  for (const layout_entry& layout : set.layouts) {
    write_layout_start(w, layout);
    for (const layout_page& page : layout.pages) write_page(w, page);
    w.write_end();
  }
  w.write_end();
  return finish(doc, out);
}

zq::result_t write_layout_page(const layout_set& set, std::vector<std::uint8_t>& out) {
  meta::indexed_document_writer doc;
  meta::simple::writer& w = doc.body();
  write_root_start(w, set);
  if (valid_layout(set)) {
    const layout_entry& layout = set.layouts[static_cast<std::size_t>(set.current_layout)];
    write_layout_start(w, layout);
    if (set.current_page >= 0 && static_cast<std::size_t>(set.current_page) < layout.pages.size()) {
      write_page(w, layout.pages[static_cast<std::size_t>(set.current_page)]);
    }
    w.write_end();
  }
  w.write_end();
  return finish(doc, out);
}

}  // namespace remote
