// The two music clips loop seamlessly in the game: SDL_mixer decodes each to
// exactly its intended whole number of bars, the seam is no sharper than the
// music itself, and a looping stream, recorded through SDL's disk audio
// driver, repeats the decoded clip sample for sample with nothing in between.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "assets/DecodedSound.h"
#include "core/Assets.h"
#include "media/Audio.h"
#include "media/MusicStream.h"
#include "media/SoundBank.h"
#include "support/DiskRecording.h"

namespace {

using assets::DecodedSound;

// 126 beats per minute at 44.1 kHz: a bar of four beats is 84000 frames.
constexpr size_t kFramesPerBar = 84000;
constexpr size_t kLoopsRecorded = 2;
constexpr int kWaitLimitMs = 60000;

struct Clip {
  const char* path;
  size_t bars;
};
void PrintTo(const Clip& clip, std::ostream* os) { *os << clip.path; }

const Clip kClips[] = {{assets::kIntroClip, 8}, {assets::kLoopClip, 24}};

constexpr size_t kEdgeFrames = 441;   // 10 ms
constexpr double kAudibleRms = 0.01;  // of full scale

const testfiles::DiskRecording recording("loops");

// The step between neighbouring frames, largest over the channels.
float step(const DecodedSound& d, size_t a, size_t b) {
  float worst = 0;
  for (int c = 0; c < assets::kChannels; ++c)
    worst = std::max(worst, std::fabs(d.pcm[a * assets::kChannels + c] - d.pcm[b * assets::kChannels + c]));
  return worst;
}

class MusicLoops : public ::testing::TestWithParam<Clip> {
 protected:
  static void SetUpTestSuite() {
    recording.capture(testfiles::DiskRecording::Pace::AheadOfRealTime);
    SoundBank::instance().initAudio();
  }
  static void TearDownTestSuite() { audio::closeDevice(); }  // stops the driver writing
};

TEST_P(MusicLoops, DecodesToExactlyItsBars) {
  DecodedSound d = assets::decode(GetParam().path);
  EXPECT_EQ(d.frames(), GetParam().bars * kFramesPerBar);
}

// Root mean square of frames [from, from + count), as a fraction of full scale.
double rmsOf(const DecodedSound& d, size_t from, size_t count) {
  DecodedSound part;
  part.pcm.assign(d.pcm.begin() + from * assets::kChannels, d.pcm.begin() + (from + count) * assets::kChannels);
  return assets::rms(part);
}

TEST_P(MusicLoops, TheSeamIsNoSharperThanTheMusicItselfAndHasNoSilentGap) {
  DecodedSound d = assets::decode(GetParam().path);
  ASSERT_GT(d.frames(), kEdgeFrames);
  EXPECT_GT(rmsOf(d, 0, kEdgeFrames), kAudibleRms) << "silence at the start";
  EXPECT_GT(rmsOf(d, d.frames() - kEdgeFrames, kEdgeFrames), kAudibleRms) << "silence at the end";
  std::vector<float> steps;
  for (size_t i = 1; i < d.frames(); ++i) steps.push_back(step(d, i - 1, i));
  std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
  float usual = steps[steps.size() * 999 / 1000];  // 99.9th percentile of the clip's own steps
  EXPECT_LE(step(d, d.frames() - 1, 0), usual);
}

TEST_P(MusicLoops, ALoopingStreamRepeatsTheClipWithoutAGap) {
  DecodedSound clip = assets::decode(GetParam().path);
  ASSERT_GT(clip.frames(), 0u);
  size_t before = recording.bytes();
  MusicStream stream;
  stream.path = GetParam().path;
  stream.play(true);
  // Room for the clip twice over, plus a second for the mixer to get going.
  size_t needed = before + (kLoopsRecorded * clip.frames() + assets::kRate) * assets::kChannels * sizeof(float);
  recording.waitForBytes(needed, kWaitLimitMs);  // short of it, the size check below says so
  stream.stop();
  std::vector<float> played = recording.samples(before, recording.bytes());

  // The clip starts where its first frames appear in the recording ...
  const size_t probe = 256 * assets::kChannels;
  auto start = std::search(played.begin(), played.end(), clip.pcm.begin(), clip.pcm.begin() + probe);
  ASSERT_NE(start, played.end()) << "the clip's opening never played";
  size_t offset = size_t(start - played.begin());
  ASSERT_GE(played.size() - offset, kLoopsRecorded * clip.pcm.size());
  // ... and from there the recording is the clip, then the clip again.
  size_t mismatched = 0, first = 0;
  for (size_t i = 0; i < kLoopsRecorded * clip.pcm.size(); ++i)
    if (played[offset + i] != clip.pcm[i % clip.pcm.size()] && mismatched++ == 0) first = i;
  EXPECT_EQ(mismatched, 0u) << "first difference at frame " << first / assets::kChannels;
}

INSTANTIATE_TEST_SUITE_P(Clips, MusicLoops, ::testing::ValuesIn(kClips),
                         [](const auto& info) { return std::string(info.param.bars == 8 ? "Intro" : "Game"); });

}  // namespace
