#include "platform/text_layout.h"

#include <algorithm>

namespace platform {

namespace {

struct marked_text {
  std::wstring text;
  std::vector<bool> underlined;
};

marked_text strip_prefixes(std::wstring_view text, bool prefixes) {
  marked_text out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool underline = false;
    if (prefixes && text[i] == L'&') {
      if (++i == text.size()) break;  // a trailing "&" stands for nothing
      underline = text[i] != L'&';
    }
    out.text += text[i];
    out.underlined.push_back(underline);
  }
  return out;
}

text_line slice(const marked_text& m, std::size_t begin, std::size_t end) {
  text_line line;
  line.text = m.text.substr(begin, end - begin);
  line.underlined.assign(m.underlined.begin() + static_cast<std::ptrdiff_t>(begin),
                         m.underlined.begin() + static_cast<std::ptrdiff_t>(end));
  return line;
}

// Breaks one paragraph (no line feeds) into lines no wider than width: after the last space that
// still fits, or inside a word that is wider than a line on its own. Spaces at a break are dropped.
void wrap(const marked_text& m, std::size_t begin, std::size_t end, int width, const font& f,
          std::vector<text_line>& lines) {
  std::size_t start = begin;
  do {
    std::size_t i = start, last_space = std::wstring::npos;
    int used = 0;
    for (; i < end; ++i) {
      const wchar_t ch = m.text[i];
      const int advance = f.glyph_of(ch).advance;
      if (ch == L' ') last_space = i;
      else if (used + advance > width && i > start) break;
      used += advance;
    }
    std::size_t line_end = i, next = i;
    if (i < end && last_space != std::wstring::npos && last_space > start) line_end = next = last_space;
    while (line_end > start && m.text[line_end - 1] == L' ') --line_end;
    while (next < end && m.text[next] == L' ') ++next;
    lines.push_back(slice(m, start, line_end));
    start = next;
  } while (start < end);
}

}  // namespace

text_layout lay_out_text(std::wstring_view text, const rect& r, unsigned format, const font& f) {
  const marked_text m = strip_prefixes(text, (format & dt_noprefix) == 0);
  text_layout layout;
  if (format & dt_singleline) {
    layout.lines.push_back(slice(m, 0, m.text.size()));
  } else {
    std::size_t begin = 0;
    while (begin <= m.text.size()) {
      std::size_t end = m.text.find(L'\n', begin);
      if (end == std::wstring::npos) end = m.text.size();
      const std::size_t content_end = end > begin && m.text[end - 1] == L'\r' ? end - 1 : end;
      if (format & dt_wordbreak) wrap(m, begin, content_end, r.width(), f, layout.lines);
      else layout.lines.push_back(slice(m, begin, content_end));
      begin = end + 1;
    }
  }
  const int line_height = f.metrics().height;
  const int total_height = line_height * static_cast<int>(layout.lines.size());
  int widest = 0;
  for (std::size_t i = 0; i < layout.lines.size(); ++i) {
    text_line& line = layout.lines[i];
    line.width = f.text_width(line.text);
    widest = std::max(widest, line.width);
    int x = r.left, y = r.top + line_height * static_cast<int>(i);
    if (format & dt_center) x = (r.left + r.right - line.width) / 2;
    else if (format & dt_right) x = r.right - line.width;
    if (format & dt_singleline) {
      if (format & dt_vcenter) y = (r.top + r.bottom - line_height) / 2;
      else if (format & dt_bottom) y = r.bottom - line_height;
    }
    line.position = {x, y};
  }
  layout.extent = {r.left, r.top, r.left + widest, r.top + total_height};
  return layout;
}

}  // namespace platform
