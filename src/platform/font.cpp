#include "platform/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cstdlib>
#include <map>
#include <tuple>
#include <unordered_map>

namespace platform {

namespace {

constexpr const char* regular_file = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* bold_file = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

FT_Library library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    return FT_Init_FreeType(&l) == 0 ? l : nullptr;
  }();
  return lib;
}

int rounded_div(long long a, long long b) { return static_cast<int>((2 * a + b) / (2 * b)); }

class freetype_font final : public font {
 public:
  freetype_font(const font_description& description, FT_Face face) : face_(face) {
    description_ = description;
    // Line metrics come from the face's Windows ascent and descent, as the handheld's font
    // engine takes them, so that a cell height splits the same way.
    long ascender = face->ascender, descender = -face->descender;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
      ascender = os2->usWinAscent;
      descender = os2->usWinDescent;
    }
    const long units = face->units_per_EM, cell_units = ascender + descender;
    int height = description.height != 0 ? description.height : system_font_description().height;
    int ppem = 0;
    if (height > 0) {
      ppem = std::max(1, rounded_div(static_cast<long long>(height) * units, cell_units));
    } else {
      ppem = -height;
      height = std::max(1, rounded_div(static_cast<long long>(ppem) * cell_units, units));
    }
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(ppem));
    metrics_.height = height;
    metrics_.ascent = rounded_div(static_cast<long long>(height) * ascender, cell_units);
    metrics_.descent = height - metrics_.ascent;
    const std::wstring_view alphabet = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    metrics_.average_char_width = rounded_div(text_width(alphabet), static_cast<long long>(alphabet.size()));
  }
  ~freetype_font() override { FT_Done_Face(face_); }
  freetype_font(const freetype_font&) = delete;
  freetype_font& operator=(const freetype_font&) = delete;

  const glyph& glyph_of(wchar_t ch) const override {
    if (const auto found = glyphs_.find(ch); found != glyphs_.end()) return found->second;
    glyph& g = glyphs_[ch];
    if (ch < 0x20 || FT_Load_Char(face_, static_cast<FT_ULong>(ch), FT_LOAD_RENDER) != 0) return g;
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bits = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (bits.pixel_mode != FT_PIXEL_MODE_GRAY) return g;
    g.width = static_cast<int>(bits.width);
    g.height = static_cast<int>(bits.rows);
    g.coverage.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height));
    for (int y = 0; y < g.height; ++y)
      for (int x = 0; x < g.width; ++x)
        g.coverage[static_cast<std::size_t>(y) * g.width + x] = bits.buffer[y * bits.pitch + x];
    return g;
  }

 private:
  FT_Face face_;
  mutable std::unordered_map<wchar_t, glyph> glyphs_;
};

}  // namespace

int font::text_width(std::wstring_view text) const {
  int width = 0;
  for (const wchar_t ch : text) width += glyph_of(ch).advance;
  return width;
}

font_description system_font_description() { return {L"Tahoma", -11, 400}; }

std::shared_ptr<const font> font::create(const font_description& description) {
  // Fonts live for the program's lifetime: the program makes a handful of them, but makes them
  // again for every paint.
  static std::map<std::tuple<std::wstring, int, int>, std::shared_ptr<const font>> fonts;
  const auto key = std::make_tuple(description.face, description.height, description.weight);
  if (const auto found = fonts.find(key); found != fonts.end()) return found->second;
  FT_Face face = nullptr;
  if (!library() || FT_New_Face(library(), description.weight >= 600 ? bold_file : regular_file, 0, &face) != 0)
    return nullptr;
  auto made = std::make_shared<freetype_font>(description, face);
  fonts.emplace(key, made);
  return made;
}

}  // namespace platform
