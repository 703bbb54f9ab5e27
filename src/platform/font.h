// Fonts made from a description, rendered with FreeType from the DejaVu fonts of the host: the
// sans face stands in for every face name ("Tahoma", the system font, anything else), and a weight
// of 600 or more takes its bold cut. Glyphs are rendered once per font and kept.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct font_description {
  std::wstring face;
  // Above 0: the cell height (ascent plus descent) in pixels; below 0: the character height (the
  // em square) in pixels; 0: the system font's height.
  int height = 0;
  int weight = 400;  // 400 normal, 700 bold
  friend bool operator==(const font_description&, const font_description&) = default;
};

struct text_metrics {
  int height = 0;  // ascent + descent: the distance between lines
  int ascent = 0;
  int descent = 0;
  int average_char_width = 0;
};

// A glyph as coverage values (0 transparent .. 255 solid) placed relative to the pen position on
// the baseline.
struct glyph {
  int left = 0;  // from the pen position to the first column
  int top = 0;   // from the baseline up to the first row
  int width = 0;
  int height = 0;
  int advance = 0;
  std::vector<std::uint8_t> coverage;
};

class font {
 public:
  // Fonts are shared: equal descriptions give the same font. Null when the font file cannot be
  // loaded.
  static std::shared_ptr<const font> create(const font_description& description);

  virtual ~font() = default;
  const font_description& description() const { return description_; }
  const text_metrics& metrics() const { return metrics_; }
  // Control characters have no glyph and no width.
  virtual const glyph& glyph_of(wchar_t ch) const = 0;
  int text_width(std::wstring_view text) const;

 protected:
  font_description description_;
  text_metrics metrics_;
};

// The handheld's system font: "Tahoma", 11 pixels to the em, normal weight.
font_description system_font_description();

}  // namespace platform
