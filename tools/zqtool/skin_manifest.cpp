#include "skin_manifest.h"

#include <charconv>
#include <set>
#include <tuple>

#include "base/text_conversion.h"

namespace zqtool {
namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The next whitespace-separated word of line from at on; empty at the end.
std::string_view next_word(std::string_view line, std::size_t& at) {
  while (at < line.size() && is_space(line[at])) ++at;
  const std::size_t start = at;
  while (at < line.size() && !is_space(line[at])) ++at;
  return line.substr(start, at - start);
}

bool rest_is_blank(std::string_view line, std::size_t at) {
  while (at < line.size() && is_space(line[at])) ++at;
  return at == line.size();
}

// A quoted text with escapes, starting at the first non-blank from at; at moves past it.
bool quoted_text(std::string_view line, std::size_t& at, std::string& text) {
  while (at < line.size() && is_space(line[at])) ++at;
  if (at >= line.size() || line[at] != '"') return false;
  for (++at; at < line.size(); ++at) {
    char c = line[at];
    if (c == '"') {
      ++at;
      return true;
    }
    if (c == '\\') {
      if (++at >= line.size()) return false;
      switch (line[at]) {
        case '"': c = '"'; break;
        case '\\': c = '\\'; break;
        case 'n': c = '\n'; break;
        case 't': c = '\t'; break;
        default: return false;
      }
    }
    text.push_back(c);
  }
  return false;
}

}  // namespace

bool parse_skin_manifest(std::string_view text, skin_manifest& manifest, manifest_error& error) {
  manifest = {};
  std::set<std::tuple<platform::resource_name, platform::resource_name>> seen;
  std::set<std::uint16_t> seen_strings;
  std::size_t number = 0;
  auto fail = [&](const std::string& message) {
    error = {number, message};
    return false;
  };
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    std::size_t at = 0;
    const std::string_view first = next_word(line, at);
    if (first.empty() || first.front() == '#') continue;
    const std::string_view id_word = next_word(line, at);
    if (id_word.empty()) return fail("expected an id after \"" + std::string(first) + "\"");
    if (first == "string") {
      unsigned id = 0;
      const auto [ptr, ec] = std::from_chars(id_word.data(), id_word.data() + id_word.size(), id);
      if (ec != std::errc() || ptr != id_word.data() + id_word.size() || id > 0xFFFF) {
        return fail("string id \"" + std::string(id_word) + "\" is not a number up to 65535");
      }
      std::string utf8;
      if (!quoted_text(line, at, utf8) || !rest_is_blank(line, at)) return fail("expected a quoted text");
      if (!seen_strings.insert(static_cast<std::uint16_t>(id)).second) {
        return fail("string " + std::string(id_word) + " appears twice");
      }
      manifest.strings.push_back({static_cast<std::uint16_t>(id), zq::utf8_to_wide(utf8), number});
      continue;
    }
    manifest_file_entry entry{platform::resource_name::parse(first), platform::resource_name::parse(id_word), {},
                              false, number};
    entry.file = std::string(next_word(line, at));
    if (entry.file.empty()) return fail("expected a file after the id");
    const std::string_view option = next_word(line, at);
    const bool is_document = entry.file.ends_with(".meta");
    if (option == "--names" && is_document) {
      entry.index_names = true;
    } else if (!option.empty()) {
      return fail("unexpected \"" + std::string(option) + "\"");
    }
    if (!rest_is_blank(line, at)) return fail("unexpected text after the file");
    if (!seen.emplace(entry.type, entry.id).second) {
      return fail("resource " + entry.type.to_string() + " " + entry.id.to_string() + " appears twice");
    }
    manifest.files.push_back(std::move(entry));
  }
  return true;
}

}  // namespace zqtool
