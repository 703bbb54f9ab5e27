#include "storage/pattern_catalogue.h"

#include <charconv>

#include "storage/meta_reader.h"

namespace xman {

namespace {

const platform::resource_name catalogue_type{"CDAT"};
constexpr std::uint16_t catalogue_id = 4096;
const platform::resource_name layout_type{"RDAT"};

// A text value up to its first NUL; other values give the empty text.
std::string_view text_of(const meta::value& v) {
  if (v.type != meta::type_t::string) return {};
  const std::string_view text = v.text_view();
  return text.substr(0, text.find('\0'));
}

std::int32_t integer_of(const meta::value& v) {
  if (v.type != meta::type_t::string) return v.type == meta::type_t::binary ? 0 : v.integer;
  const std::string_view text = text_of(v);
  std::int32_t number = 0;
  std::from_chars(text.data(), text.data() + text.size(), number);
  return number;
}

// Runs a handler over a document; false when the document is damaged (an abort is not damage).
class catalogue_handler : public meta::simple::element_handler {
 public:
  bool run(std::span<const std::uint8_t> document) {
    auto reader = meta::detail::create_reader();
    reader->set_handler(this);
    meta::input_buffer input{document.data(), document.size(), 0};
    (void)meta::parse(*reader, input);
    return !damaged_;
  }
  zq::result_t content(const meta::value&) override { return meta::simple::go_on; }
  zq::result_t error(const meta::meta_exception&) override {
    damaged_ = true;
    return meta::simple::go_on;
  }

 private:
  bool damaged_ = false;
};

class pattern_list_reader final : public catalogue_handler {
 public:
  pattern_list_reader(std::string_view category, pattern_list& out) : category_(category), out_(out) {}

  zq::result_t start_element(const meta::name_ref& name) override {
    return name.view() == "import" ? meta::simple::skip_element : meta::simple::go_on;
  }
  zq::result_t end_element(const meta::name_ref& name) override {
    return name.view() == "content" ? meta::simple::abort_parse : meta::simple::go_on;
  }
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override {
    const std::string_view attribute = name.view();
    if (attribute == "category") {
      if (text_of(v) != category_) return meta::simple::skip_element;
      out_ = pattern_list{};  // the category's own entries replace the general ones
    } else if (attribute == "name") {
      out_.names.emplace_back(text_of(v));
    } else if (attribute == "id") {
      out_.ids.emplace_back(text_of(v));
    } else if (attribute == "resid") {
      out_.resource_ids.push_back(integer_of(v));
    }
    return meta::simple::go_on;
  }

 private:
  std::string_view category_;
  pattern_list& out_;
};

class import_table_reader final : public catalogue_handler {
 public:
  import_table_reader(std::string_view filter, std::string_view pattern_id, import_table& out)
      : filter_(filter), pattern_id_(pattern_id), out_(out) {}

  zq::result_t start_element(const meta::name_ref& name) override {
    const std::string_view element = name.view();
    if (element == "import") in_import_ = true;
    if (element == "catalog" || in_import_) return meta::simple::go_on;
    return meta::simple::skip_element;
  }
  zq::result_t end_element(const meta::name_ref& name) override {
    const std::string_view element = name.view();
    if (element == "import") in_import_ = false;
    return element == "table" ? meta::simple::abort_parse : meta::simple::go_on;
  }
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override {
    const std::string_view attribute = name.view();
    if (attribute == "filter" && text_of(v) != filter_) return meta::simple::skip_element;
    if (attribute == "category" && text_of(v) != pattern_id_) return meta::simple::skip_element;
    if (attribute == "src") old_name_ = text_of(v);
    if (attribute == "dst") out_[old_name_] = std::string(text_of(v));
    return meta::simple::go_on;
  }

 private:
  std::string_view filter_;
  std::string_view pattern_id_;
  import_table& out_;
  bool in_import_ = false;
  std::string old_name_;
};

}  // namespace

pattern_list read_pattern_list(std::span<const std::uint8_t> catalogue, std::string_view category) {
  pattern_list list;
  pattern_list_reader reader(category, list);
  if (!reader.run(catalogue)) return {};
  return list;
}

import_table read_import_table(std::span<const std::uint8_t> catalogue, std::string_view filter,
                               std::string_view pattern_id) {
  import_table table;
  import_table_reader reader(filter, pattern_id, table);
  if (!reader.run(catalogue)) return {};
  return table;
}

zq::result_t pattern_catalogue::load(std::wstring_view skin_path) {
  if (!skin_path_.empty() && skin_path == skin_path_) return zq::rc::ok;
  skin_path_.clear();
  catalogue_ = {};
  last_ = {};
  if (const zq::result_t rc = platform::load_module_file(skin_path, skin_); rc != zq::rc::ok) return rc;
  skin_path_ = skin_path;
  if (skin_.load(catalogue_type, catalogue_id, catalogue_) != zq::rc::ok) catalogue_ = {};
  return zq::rc::ok;
}

const pattern_list& pattern_catalogue::patterns(std::string_view category) {
  last_ = read_pattern_list(catalogue_, category);
  return last_;
}

zq::result_t pattern_catalogue::pattern_layout(std::size_t index, std::span<const std::uint8_t>& layout) const {
  layout = {};
  if (index >= last_.resource_ids.size()) return zq::rc::resource_not_found;
  const std::int32_t id = last_.resource_ids[index];
  if (id < 0 || id > 0xFFFF) return zq::rc::resource_not_found;
  return skin_.load(layout_type, static_cast<std::uint16_t>(id), layout);
}

import_table pattern_catalogue::import_table_for(std::string_view filter, std::size_t index) const {
  if (index >= last_.ids.size()) return {};
  return read_import_table(catalogue_, filter, last_.ids[index]);
}

}  // namespace xman
