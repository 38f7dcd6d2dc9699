// Writing synthesised sound to the files the game loads: 16-bit WAV and
// MP3 through LAME.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "synth.h"

namespace synth {

void writeWav(const std::string& path, const Stereo& s);
void writeWav(const std::string& path, const Mono& m);

// One-shot sounds: plain MP3 with a LAME tag for gapless decoding.
void writeMp3(const std::string& path, const Mono& m, int kbps);

// A seamless loop: the encoder sees the loop's own end before its start and
// its start after its end, and the LAME tag tells gapless decoders to drop
// that context, so decoding gives exactly the loop's samples with no edge.
void writeLoopMp3(const std::string& path, const Stereo& loop, int kbps);

}  // namespace synth
