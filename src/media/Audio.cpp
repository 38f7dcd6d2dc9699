#include "media/Audio.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <vector>

namespace audio {
namespace {

constexpr int kRate = 44100;        // Hz
constexpr int kOutputChannels = 2;  // stereo
// Sample frames per mix: about 23 ms at 44.1 kHz, so a squish follows its stomp closely.
constexpr int kMixFrames = 1024;
// Enough voices for 4 playbacks of each of the game's 15 effects at once.
constexpr int kMixerChannels = 64;
constexpr int kMaxPercent = 100;

struct SampleEntry {
  Mix_Chunk* chunk;  // decoded whole; never freed
  int maxPlaybacks;  // voices this sample may hold at once
};

// What we know of one mixer channel; index = mixer channel.
struct Voice {
  Sample sample = 0;        // the sample it was last handed out for
  uint64_t started = 0;     // startCount at hand-out or start: lower = further along
  bool reserved = false;    // handed out by sampleChannel, not yet started
  bool unreported = false;  // started; reported to the observer with its first volume
};

struct StreamEntry {
  Mix_Music* music;  // never freed
  bool loop;
  int volume = kMaxPercent;  // 0..100, applied whenever this stream starts
};

bool deviceOpen = false;
std::vector<SampleEntry> samples;  // handle = index + 1
std::vector<Voice> voices;         // kMixerChannels once the device is open
std::vector<StreamEntry> streams;  // handle = index + 1
Stream playingStream = 0;          // the one stream SDL_mixer's music channel holds
// Orders playbacks by start: all of one sample run at the same rate, so the
// earliest started is the one furthest into the sound.
uint64_t startCount = 0;
std::function<void(Sample, int)> playObserver;

int mixVolume(int percent) {
  return std::clamp(percent, 0, kMaxPercent) * MIX_MAX_VOLUME / kMaxPercent;
}

const SampleEntry* sampleEntry(Sample sample) {
  return sample >= 1 && sample <= samples.size() ? &samples[sample - 1] : nullptr;
}

StreamEntry* streamEntry(Stream stream) {
  return stream >= 1 && stream <= streams.size() ? &streams[stream - 1] : nullptr;
}

// Mixer channel index of a channel handle, or -1 for 0 and unknown handles.
int voiceIndex(Channel channel) {
  return channel >= 1 && channel <= voices.size() ? static_cast<int>(channel - 1) : -1;
}

bool busy(int index) { return voices[index].reserved || Mix_Playing(index); }

// A free mixer channel when the sample has a playback to spare, else the
// sample's playback furthest along (the earliest started); -1 when none.
int pickVoice(Sample sample, int maxPlaybacks) {
  int inUse = 0, oldest = -1, idle = -1;
  for (int i = 0; i < static_cast<int>(voices.size()); ++i) {
    if (!busy(i)) {
      if (idle < 0) idle = i;
    } else if (voices[i].sample == sample) {
      ++inUse;
      if (oldest < 0 || voices[i].started < voices[oldest].started) oldest = i;
    }
  }
  return inUse < maxPlaybacks && idle >= 0 ? idle : oldest;
}

}  // namespace

bool openDevice() {
  if (deviceOpen) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  Mix_Init(MIX_INIT_MP3);
  if (Mix_OpenAudio(kRate, MIX_DEFAULT_FORMAT, kOutputChannels, kMixFrames) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  voices.resize(Mix_AllocateChannels(kMixerChannels));
  deviceOpen = true;
  return true;
}

Sample loadSample(const char* path, int maxPlaybacks) {
  if (!deviceOpen || maxPlaybacks < 1) return 0;
  Mix_Chunk* chunk = Mix_LoadWAV(path);
  if (!chunk) return 0;
  samples.push_back({chunk, maxPlaybacks});
  return static_cast<Sample>(samples.size());
}

Channel sampleChannel(Sample sample) {
  const SampleEntry* entry = sampleEntry(sample);
  if (!entry) return 0;
  int index = pickVoice(sample, entry->maxPlaybacks);
  if (index < 0) return 0;
  Mix_HaltChannel(index);  // a taken-over playback stops here
  Mix_Volume(index, MIX_MAX_VOLUME);  // a new channel starts at full volume
  voices[index] = {sample, ++startCount, true, false};
  return static_cast<Channel>(index + 1);
}

void playChannel(Channel channel) {
  int index = voiceIndex(channel);
  if (index < 0 || voices[index].sample == 0) return;
  Voice& voice = voices[index];
  Mix_PlayChannel(index, sampleEntry(voice.sample)->chunk, 0);  // restarts a playing channel
  voice.started = ++startCount;
  voice.reserved = false;
  voice.unreported = true;
}

void setChannelVolume(Channel channel, int volume) {
  int index = voiceIndex(channel);
  if (index < 0) return;
  Mix_Volume(index, mixVolume(volume));
  Voice& voice = voices[index];
  if (voice.unreported && playObserver) playObserver(voice.sample, std::clamp(volume, 0, kMaxPercent));
  voice.unreported = false;
}

Stream openStream(const char* path, bool loop) {
  if (!deviceOpen) return 0;
  Mix_Music* music = Mix_LoadMUS(path);
  if (!music) return 0;
  streams.push_back({music, loop});
  return static_cast<Stream>(streams.size());
}

void playStream(Stream stream) {
  StreamEntry* entry = streamEntry(stream);
  if (!entry) return;
  // SDL_mixer has one music channel: this replaces whatever stream held it.
  Mix_VolumeMusic(mixVolume(entry->volume));
  if (Mix_PlayMusic(entry->music, entry->loop ? -1 : 0) == 0) playingStream = stream;
}

void stopStream(Stream stream) {
  if (stream == 0 || stream != playingStream) return;  // another stream's music plays on
  Mix_HaltMusic();
  playingStream = 0;
}

void setStreamVolume(Stream stream, int volume) {
  StreamEntry* entry = streamEntry(stream);
  if (!entry) return;
  entry->volume = std::clamp(volume, 0, kMaxPercent);
  if (stream == playingStream) Mix_VolumeMusic(mixVolume(entry->volume));
}

void setPlayObserver(std::function<void(Sample, int volume)> observer) { playObserver = std::move(observer); }

}  // namespace audio
