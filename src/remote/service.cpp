#include "remote/service.h"

#include <array>
#include <utility>

#include "base/text_conversion.h"
#include "platform/module.h"
#include "remote/layer.h"
#include "remote/skin_libraries.h"

namespace remote {

namespace {

const platform::resource_name service_page_type{"Sdat"};

struct page_id_entry {
  std::string_view id;
  std::uint16_t resource;
};

constexpr std::array<page_id_entry, 10> page_ids{{
    {"srv:navigation", 4096},
    {"srv:navigation-lrn", 4097},
    {"srv:homepage", 4098},
    {"srv:powerpage", 4099},
    {"srv:infopage", 4100},
    {"srv:welcome-form", 4101},
    {"srv:empty", 4102},
    {"srv:learn-header", 4103},
    {"srv:navigation-edit", 4104},
    {"srv:about-form", 4105},
}};

const platform::module_resource* find_page(std::wstring_view skin, std::uint16_t id) {
  if (skin.empty()) return nullptr;
  platform::module* library = skin_libraries::instance().keep_loaded(skin);
  return library == nullptr ? nullptr : library->find(service_page_type, id);
}

}  // namespace

std::uint16_t service_page_resource(std::string_view page_id) {
  for (const page_id_entry& entry : page_ids)
    if (entry.id == page_id) return entry.resource;
  return 0;
}

service::service(std::wstring base_skin) {
  source_.base_skin = std::move(base_skin);
  pages_.buttons.reserve(40);
  pages_.page_starts.reserve(6);
  pages_.backgrounds.reserve(5);
}

service::~service() = default;

std::string service::name() const { return name_; }

void service::set_rect(const mif::rectangle& r) {
  rect_ = r;
  state_flags |= relayout_needed;
}

int service::hard_key(const outworld::input_event&) { return 0; }

void service::retire_pages(bool with_bytes) {
  if (inputs_ > 0) {
    retired_pages old{std::move(pages_.buttons), {}};
    if (with_bytes) old.bytes = std::move(source_.bytes);
    retired_.push_back(std::move(old));
  }
  pages_.clear();
  pages_.buttons.reserve(40);
}

void service::take_bytes(std::int32_t kind, std::string_view name, std::span<const std::uint8_t> bytes) {
  // The buttons point into the old bytes: they go first.
  retire_pages(true);
  source_.bytes.assign(bytes.begin(), bytes.end());
  source_.kind = source_.bytes.empty() ? service_source::none : kind;
  source_.name = name;
  source_.changed = true;
}

int service::set_source_page(std::string_view page_id) {
  const std::uint16_t id = service_page_resource(page_id);
  if (id == 0) return -1;
  const platform::module_resource* found = find_page(source_.own_skin, id);
  if (found == nullptr) found = find_page(source_.base_skin, id);
  take_bytes(service_source::skin_resource, {}, found == nullptr ? std::span<const std::uint8_t>{} : found->data);
  return 0;
}

void service::set_source_codebase(std::string_view codebase_name, std::span<const std::uint8_t> layout) {
  take_bytes(service_source::codebase_file, codebase_name, layout);
}

void service::set_source_memory(std::span<const std::uint8_t> document) {
  take_bytes(service_source::memory_buffer, "editor", document);
}

void service::clear_source() { take_bytes(service_source::none, {}, {}); }

std::int32_t service::current_page() {
  const std::int32_t count = page_count();
  if (page_ < 0) page_ = 0;
  if (count > 0 && page_ >= count) page_ = count - 1;
  return page_;
}

std::int32_t service::background_of(std::int32_t page) const {
  if (page < 0 || static_cast<std::size_t>(page) >= pages_.backgrounds.size()) return profile_none;
  return pages_.backgrounds[static_cast<std::size_t>(page)];
}

std::span<button> service::page_buttons(std::int32_t page) {
  if (page < 0 || page >= page_count()) return {};
  const auto first = static_cast<std::size_t>(pages_.page_starts[static_cast<std::size_t>(page)]);
  const auto last = static_cast<std::size_t>(pages_.page_starts[static_cast<std::size_t>(page) + 1]);
  if (first > last || last > pages_.buttons.size()) return {};
  return std::span<button>(pages_.buttons).subspan(first, last - first);
}

button* service::find_button(std::string_view action) {
  for (button& b : page_buttons(current_page()))
    if (b.action == action) return &b;
  return nullptr;
}

int service::reload() {
  retire_pages(false);
  if (source_.empty()) {
    page_ = 0;
    return 1;
  }
  service_document_info info;
  if (load_service_pages(source_.bytes, layer::screen_class(), pages_, info) != 0) {
    retire_pages(true);
    page_ = 0;
    std::wstring base = std::move(source_.base_skin);
    source_ = service_source{};
    source_.base_skin = std::move(base);
    return 1;
  }
  if (info.has_skin) source_.own_skin = zq::code_page_to_wide(info.skin);
  if (info.has_name) name_ = info.name;
  if (page_ >= page_count()) page_ = 0;
  state_flags = loaded;
  if (observer) {
    auto keep = observer;
    keep(*this, loaded);
  }
  return 0;
}

bool service::prepare() {
  if (source_.changed) {
    source_.changed = false;
    state_flags |= reload_needed;
  }
  if ((state_flags & (reload_needed | relayout_needed)) != 0) {
    reload();
    return true;
  }
  return (state_flags & (loaded | title_changed)) != 0;
}

void service::select_skin() const {
  skin_libraries& skins = skin_libraries::instance();
  if (source_.own_skin.empty() || skins.keep_loaded(source_.own_skin) == nullptr) {
    skins.select_none();
    return;
  }
  skins.select(source_.own_skin);
}

void service::draw(layer::renderer& r) {
  if ((flags & drawable) == 0) return;
  prepare();
  select_skin();
  const mif::rectangle whole{0, 0, rect_.width, rect_.height};
  r->draw_background(whole, has_document() ? background_of(current_page()) : profile_none);
  if (edit_mode) r.hatch(whole);
  for (button& b : page_buttons(current_page())) b.draw(r);
}

int service::input(std::int32_t x, std::int32_t y, layer::renderer& r, layer::surface& s, const show_function& show,
                   std::int32_t extra1, std::int32_t extra2) {
  if ((flags & interactive) == 0 || !has_document() || page_count() == 0) return 0;
  button* hit = nullptr;
  for (button& b : page_buttons(current_page()))
    if (b.rect().contains(x, y)) hit = &b;
  if (hit == nullptr) return 0;
  select_skin();
  ++inputs_;
  const int taken = hit->input(x, y, r, s, show, extra1, extra2);
  if (--inputs_ == 0) retired_.clear();
  return taken;
}

}  // namespace remote
