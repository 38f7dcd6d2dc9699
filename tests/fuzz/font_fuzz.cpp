// libFuzzer target: a font file from the fuzz bytes, opened, sized and every
// glyph rendered and laid out as texels, as the game's font load does (without
// GL). A custom mutator starts from a small TrueType font or a small bitmap
// font, so the fuzzer reaches glyphs instead of stopping at the file's header.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "media/GlyphRaster.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

constexpr unsigned kHeights[] = {24, 32};  // the sizes the game loads its font at
constexpr int kGlyphCount = 128;

using Bytes = std::vector<uint8_t>;

void put16(Bytes& out, unsigned value) { out.insert(out.end(), {uint8_t(value >> 8), uint8_t(value)}); }
void put32(Bytes& out, uint32_t value) {
  put16(out, value >> 16);
  put16(out, value & 0xFFFF);
}

// A TrueType font of one glyph, a square, which every character maps to.
Bytes trueTypeSeed() {
  Bytes glyf;
  put16(glyf, 1);  // one contour
  for (unsigned v : {100, 0, 500, 700}) put16(glyf, v);  // bounding box
  put16(glyf, 3);  // its last point
  put16(glyf, 0);  // no instructions
  glyf.insert(glyf.end(), 4, 0x01);  // on-curve points, 16-bit coordinates
  for (unsigned dx : {100, 400, 0, 0x10000 - 400}) put16(glyf, dx);
  for (unsigned dy : {0, 0, 700, 0}) put16(glyf, dy);

  Bytes head;
  put32(head, 0x00010000);
  put32(head, 0x00010000);
  put32(head, 0);
  put32(head, 0x5F0F3CF5);
  put16(head, 0);
  put16(head, 1000);  // units per em
  head.resize(36, 0);  // created and modified dates
  for (unsigned v : {100, 0, 500, 700, 0, 8, 2, 0, 0}) put16(head, v);  // box, style, smallest size, hints, short loca

  Bytes hhea;
  put32(hhea, 0x00010000);
  for (unsigned v : {800, 0x10000 - 200, 0, 600, 100, 100, 500, 1, 0, 0, 0, 0, 0, 0, 0, 1}) put16(hhea, v);

  Bytes maxp;
  put32(maxp, 0x00010000);
  for (unsigned v : {1, 4, 1, 0, 0, 2, 0, 0, 0, 0, 64, 0, 0, 0}) put16(maxp, v);

  Bytes hmtx, loca;
  put16(hmtx, 600);
  put16(hmtx, 100);
  put16(loca, 0);
  put16(loca, static_cast<unsigned>(glyf.size() / 2));

  const std::pair<const char*, const Bytes*> tables[] = {
      {"glyf", &glyf}, {"head", &head}, {"hhea", &hhea}, {"hmtx", &hmtx}, {"loca", &loca}, {"maxp", &maxp}};
  Bytes font;
  put32(font, 0x00010000);
  put16(font, 6);
  for (unsigned v : {64, 2, 32}) put16(font, v);  // binary search fields for six tables
  uint32_t offset = 12 + 16 * 6;
  for (auto [tag, data] : tables) {
    font.insert(font.end(), tag, tag + 4);
    put32(font, 0);  // checksum, which FreeType does not check
    put32(font, offset);
    put32(font, static_cast<uint32_t>(data->size()));
    offset += (data->size() + 3) & ~size_t{3};
  }
  for (auto [tag, data] : tables) {
    font.insert(font.end(), data->begin(), data->end());
    font.resize((font.size() + 3) & ~size_t{3}, 0);
  }
  return font;
}

// A bitmap font in BDF of two mono glyphs; its SIZE line may name 2, 4 or 8 bits per pixel too.
Bytes bitmapSeed() {
  const char text[] =
      "STARTFONT 2.1\nFONT -x-seed-medium-r-normal--16-160-75-75-c-80-iso10646-1\nSIZE 16 75 75 1\n"
      "FONTBOUNDINGBOX 8 8 0 0\nSTARTPROPERTIES 2\nCHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\n"
      "ENDPROPERTIES\nCHARS 2\nSTARTCHAR one\nENCODING 49\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 4 3 1 0\nBITMAP\n"
      "60\nE0\n60\nENDCHAR\nSTARTCHAR A\nENCODING 65\nSWIDTH 500 0\nDWIDTH 9 0\nBBX 9 2 0 -1\nBITMAP\n"
      "FF80\nAA00\nENDCHAR\nENDFONT\n";
  return Bytes(text, text + sizeof text - 1);
}

bool looksLikeFont(const uint8_t* data, size_t size) {
  static const Bytes trueType = {0, 1, 0, 0};
  static const std::string bitmap = "STARTFONT";
  return (size >= 4 && std::memcmp(data, trueType.data(), 4) == 0) ||
         (size >= bitmap.size() && std::memcmp(data, bitmap.data(), bitmap.size()) == 0);
}

std::string writeTemp(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/font_fuzz-" + std::to_string(getpid()) + ".font";
  FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  return path;
}

// What the game does with each glyph short of GL: its texels, every byte read.
void layOut(const GlyphBitmap& glyph) {
  if (glyph.width < 0 || glyph.rows < 0 || glyph.width > kMaxGlyphSide || glyph.rows > kMaxGlyphSide) __builtin_trap();
  if (glyph.coverage.size() != static_cast<size_t>(glyph.width) * glyph.rows) __builtin_trap();
  GlyphTexture size = glyphTexture(glyph.width, glyph.rows);
  std::vector<uint8_t> texels = glyphTexels(glyph);
  if (texels.size() != static_cast<size_t>(size.width) * size.height * 2) __builtin_trap();
  uint8_t sum = 0;
  for (uint8_t texel : texels) sum += texel;
  volatile uint8_t sink = sum;
  (void)sink;
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned seed) {
  static const Bytes seeds[] = {trueTypeSeed(), bitmapSeed()};
  const Bytes& start = seeds[seed % 2];
  if (!looksLikeFont(data, size) && start.size() <= maxSize) {
    std::memcpy(data, start.data(), start.size());
    size = start.size();
  }
  return LLVMFuzzerMutate(data, size, maxSize);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = writeTemp(data, size);
  for (unsigned height : kHeights) {
    try {
      FontFace font(path.c_str());
      font.setHeight(height);
      for (int ch = 0; ch < kGlyphCount; ++ch) layOut(renderGlyph(font.face(), static_cast<unsigned char>(ch)));
    } catch (const FontError&) {
      // a font the game refuses with one line
    }
  }
  std::remove(path.c_str());
  return 0;
}
