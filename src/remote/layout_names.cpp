#include "remote/layout_names.h"

#include <array>
#include <utility>

#include "storage/meta_names_table.h"

namespace remote {

namespace {

constexpr std::array<std::pair<std::string_view, layout_name>, 28> known_names{{
    {"remote", layout_name::remote}, {"service", layout_name::service}, {"layout", layout_name::layout},
    {"page", layout_name::page},     {"button", layout_name::button},   {"label", layout_name::label},
    {"title", layout_name::title},   {"icon", layout_name::icon},       {"action", layout_name::action},
    {"version", layout_name::version}, {"skin", layout_name::skin},     {"name", layout_name::name},
    {"base", layout_name::base},     {"orient", layout_name::orient},   {"bg", layout_name::bg},
    {"x", layout_name::x},           {"y", layout_name::y},             {"w", layout_name::w},
    {"h", layout_name::h},           {"profile", layout_name::profile}, {"state", layout_name::state},
    {"txt", layout_name::txt},       {"dx", layout_name::dx},           {"dy", layout_name::dy},
    {"font", layout_name::font},     {"color", layout_name::color},     {"align", layout_name::align},
    {"id", layout_name::id},
}};

}  // namespace

layout_name layout_name_of(std::string_view text) {
  for (const auto& [known, key] : known_names) {
    if (known == text) return key;
  }
  return layout_name::other;
}

void layout_name_keys::resolve(const meta::names_table& names) {
  by_index_.assign(names.size() + 1, layout_name::other);
  for (std::size_t index = 1; index <= names.size(); ++index) {
    meta::name_ref name;
    if (names.find(static_cast<std::uint16_t>(index), name)) by_index_[index] = layout_name_of(name.view());
  }
}

}  // namespace remote
