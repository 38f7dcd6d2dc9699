// Files made to hurt the game, for the tests and the hostile-files benchmark:
// headers that claim huge pictures, decompression bombs, and a font whose
// glyphs come out giant. (A sound that claims 1 Hz is writeSquareWav at rate 1.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace hostile {

// An 18-byte TGA header claiming side by side pixels, top row first, and no pixel data.
void writeTgaHeaderOnly(const std::filesystem::path& file, uint8_t type, int side, uint8_t depth);
// A fully transparent RGBA picture side by side pixels, deflated as hard as zlib can:
// 4096 squared is a 64 MB picture in some 64 KB of file.
void writePngBomb(const std::filesystem::path& file, int side);
// Rewrites a TrueType font in place with 16 units to its em instead of its own,
// so that every glyph renders some 2000 pixels tall.
void makeGlyphsGiant(const std::filesystem::path& font);
// The unsigned big-endian number of `count` bytes at `at`, as TrueType stores them.
uint32_t bigEndian(const std::vector<uint8_t>& bytes, size_t at, int count);
// Where the TrueType table of the four-letter tag starts in the font's bytes;
// throws when there is none.
size_t tableOffset(const std::vector<uint8_t>& font, const char* tag);
// The first `bytes` bytes of `from`, written to `to` (which may be `from`): a file cut short.
void writeCutCopy(const std::filesystem::path& from, const std::filesystem::path& to, size_t bytes);

}  // namespace hostile
