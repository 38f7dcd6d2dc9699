#include "media/Audio.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/RegularFile.h"
#include "media/Limiter.h"
#include "media/StdioFile.h"
#include "media/WavHeader.h"

namespace audio {
namespace {

constexpr int kRate = 44100;        // Hz
constexpr int kOutputChannels = 2;  // stereo
// Sample frames per mix: about 23 ms at 44.1 kHz, so a squish follows its stomp closely.
constexpr int kMixFrames = 1024;
// Enough voices for 4 playbacks of each of the game's 15 effects at once.
constexpr int kMixerChannels = 64;
constexpr int kMaxPercent = 100;
// The longest effect the game will hold in memory, decoded at the device's rate.
constexpr double kLongestSampleSeconds = 30;

struct SampleEntry {
  Mix_Chunk* chunk;  // decoded whole; null once the device has closed
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
  Mix_Music* music;  // null once closed
  bool loop;
  int volume = kMaxPercent;  // 0..100, applied whenever this stream starts
};

bool deviceOpen = false;
int deviceRate = 0, deviceChannels = 0;  // Hz and output channels, as the device opened
// Mixing is in float, so a sum past full scale survives until the limiter
// brings it back; only the audio thread touches it while the device is open.
std::unique_ptr<Limiter> limiter;
// Entries stay after they are freed, so a handle is never reused for another sound.
std::vector<SampleEntry> samples;  // handle = index + 1
std::vector<Voice> voices;         // kMixerChannels once the device is open
std::vector<StreamEntry> streams;  // handle = index + 1
Stream playingStream = 0;          // the one stream SDL_mixer's music channel holds
// Orders playbacks by start: all of one sample run at the same rate, so the
// earliest started is the one furthest into the sound.
uint64_t startCount = 0;
std::function<void(Sample, int)> playObserver;
// The player's volume over the whole mix: set by the game, read by the audio thread.
std::atomic<float> masterVolume{1.0f};
float mixedVolume = 1.0f;  // the master volume the latest mix buffer ended at; audio thread only

int mixVolume(int percent) {
  return std::clamp(percent, 0, kMaxPercent) * MIX_MAX_VOLUME / kMaxPercent;
}

const SampleEntry* sampleEntry(Sample sample) {
  return sample >= 1 && sample <= samples.size() && samples[sample - 1].chunk ? &samples[sample - 1] : nullptr;
}

StreamEntry* streamEntry(Stream stream) {
  return stream >= 1 && stream <= streams.size() && streams[stream - 1].music ? &streams[stream - 1] : nullptr;
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

// The mix scaled by the master volume, which glides from the last buffer's
// value to the new one across the buffer, so a change never clicks.
void applyMasterVolume(float* samples, int frames) {
  float target = masterVolume.load(std::memory_order_relaxed);
  for (int frame = 1; frame <= frames; ++frame) {
    float gain = mixedVolume + (target - mixedVolume) * static_cast<float>(frame) / static_cast<float>(frames);
    for (int channel = 0; channel < deviceChannels; ++channel) *samples++ *= gain;
  }
  mixedVolume = target;
}

// SDL_mixer's post-mix hook: the whole mixed buffer, last thing before the device.
void limitMix(void*, Uint8* stream, int bytes) {
  auto* samples = reinterpret_cast<float*>(stream);
  int frames = bytes / static_cast<int>(sizeof(float)) / deviceChannels;
  applyMasterVolume(samples, frames);
  limiter->process(samples, frames);
}

// Mix_LoadMUS picks the decoder by the file's name; from an SDL_RWops the
// mixer looks at the bytes, so a WAV or OGG named .mp3 still plays. The file
// is streamed from disk, so only a regular file of a bounded size is opened.
Mix_Music* loadMusic(const char* path) {
  StdioFile stream = openForReading(path, kMostMusicFileBytes);
  SDL_RWops* file = stream ? SDL_RWFromFP(stream.get(), SDL_TRUE) : nullptr;
  if (!file) return nullptr;
  stream.release();  // the RWops closes it now
  return Mix_LoadMUS_RW(file, 1);
}

SDL_RWops* fromMemory(const std::string& bytes) { return SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())); }

// Whether a sound file can be loaded without holding more than the longest
// sample: a WAV by its header; other kinds by the length their stream
// decoder reads, where it reads one (Mix_LoadWAV decodes and converts the
// whole file at once, so this has to be known first).
bool shortEnoughToDecode(const std::string& bytes) {
  if (std::optional<double> seconds = wavSeconds(bytes)) return *seconds <= kLongestSampleSeconds;
  SDL_RWops* file = fromMemory(bytes);
  Mix_Music* music = file ? Mix_LoadMUS_RW(file, 1) : nullptr;
  if (!music) return true;  // no stream decoder knows it: judged once decoded
  double seconds = Mix_MusicDuration(music);
  Mix_FreeMusic(music);
  return seconds <= kLongestSampleSeconds;
}

bool shortEnough(const Mix_Chunk* chunk) {
  double frames = double(chunk->alen) / (sizeof(float) * deviceChannels);
  return frames <= kLongestSampleSeconds * deviceRate;
}

void closeStreamEntry(StreamEntry& entry) {
  if (entry.music) Mix_FreeMusic(entry.music);  // halts it first if it is the one playing
  entry.music = nullptr;
}

}  // namespace

bool openDevice() {
  if (deviceOpen) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  Mix_Init(MIX_INIT_MP3);
  Uint16 format = 0;
  if (Mix_OpenAudio(kRate, AUDIO_F32SYS, kOutputChannels, kMixFrames) != 0 ||
      !Mix_QuerySpec(&deviceRate, &format, &deviceChannels)) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  limiter = std::make_unique<Limiter>(deviceRate, deviceChannels);
  mixedVolume = masterVolume;
  Mix_SetPostMix(limitMix, nullptr);
  voices.resize(Mix_AllocateChannels(kMixerChannels));
  deviceOpen = true;
  static bool closesAtExit = false;
  if (!closesAtExit) closesAtExit = std::atexit(closeDevice) == 0;
  return true;
}

void closeDevice() {
  if (!deviceOpen) return;
  Mix_CloseAudio();  // halts every sound and stops the audio thread before anything it reads is freed
  for (SampleEntry& entry : samples) {
    Mix_FreeChunk(entry.chunk);
    entry.chunk = nullptr;
  }
  for (StreamEntry& entry : streams) closeStreamEntry(entry);
  voices.clear();
  limiter.reset();
  playingStream = 0;
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  deviceOpen = false;
}

Sample loadSample(const char* path, int maxPlaybacks) {
  if (!deviceOpen || maxPlaybacks < 1) return 0;
  std::string bytes;  // read once, so what is judged is what is decoded
  if (readRegularFile(path, kMostSampleFileBytes, bytes) || !shortEnoughToDecode(bytes)) return 0;
  SDL_RWops* file = fromMemory(bytes);
  Mix_Chunk* chunk = file ? Mix_LoadWAV_RW(file, 1) : nullptr;
  if (chunk && !shortEnough(chunk)) {
    Mix_FreeChunk(chunk);
    chunk = nullptr;
  }
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
  Mix_Music* music = loadMusic(path);
  if (!music) return 0;
  streams.push_back({music, loop});
  return static_cast<Stream>(streams.size());
}

void closeStream(Stream stream) {
  StreamEntry* entry = streamEntry(stream);
  if (!entry) return;
  if (stream == playingStream) playingStream = 0;
  closeStreamEntry(*entry);
}

int openStreamCount() {
  return static_cast<int>(std::count_if(streams.begin(), streams.end(), [](const StreamEntry& e) { return e.music; }));
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

void setMasterVolume(float volume) { masterVolume = std::clamp(volume, 0.0f, 1.0f); }

void setPlayObserver(std::function<void(Sample, int volume)> observer) { playObserver = std::move(observer); }

}  // namespace audio
