// Bad resources: for every file under ./res/, the real game started on a copy
// of the tree where that one file is missing, empty, cut to half its size or
// replaced by random bytes. Pictures and sounds just go missing and the game
// still reaches the game screen and plays; a bad font stops start-up with one
// clear line and status 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "support/GameProcess.h"

namespace {

namespace fs = std::filesystem;

enum class Damage { Missing, Empty, Half, Random };
const Damage kDamages[] = {Damage::Missing, Damage::Empty, Damage::Half, Damage::Random};
const char* const kDamageNames[] = {"missing", "empty", "half", "random"};

const std::string kFont = "res/fonts/Cookies.ttf";
constexpr std::array<uint8_t, 3> kSky = {151, 136, 91};  // the game's clear colour
constexpr int kSkyX = 400, kSkyY = 8;                     // above the skyline in every view
constexpr int kSkyTolerance = 3;
// Games run one at a time, placed at the screen's corner: two side by side
// under the sanitizers slow each other's frames so much that a key's press and
// release can fall into one frame.
constexpr std::array<int, 2> kPlaces[] = {{0, 0}};
constexpr size_t kBatch = std::size(kPlaces);

struct Variant {
  std::string file;  // relative to the work dir, e.g. "res/images/floor.png"
  Damage damage;
  // FreeType opens a font cut at half its size (its tables of contents come
  // first) and the game plays with what glyphs survive; the other damage fails.
  bool stopsTheGame() const { return file == kFont && damage != Damage::Half; }
  std::string label() const { return file + " " + kDamageNames[static_cast<int>(damage)]; }
};

std::vector<Variant> allVariants() {
  std::vector<Variant> variants;
  for (const auto& entry : fs::recursive_directory_iterator("res"))
    if (entry.is_regular_file())
      for (Damage damage : kDamages) variants.push_back({entry.path().string(), damage});
  return variants;
}

void damageFile(const fs::path& path, Damage damage) {
  auto size = fs::file_size(path);
  switch (damage) {
    case Damage::Missing: fs::remove(path); break;
    case Damage::Empty: fs::resize_file(path, 0); break;
    case Damage::Half: fs::resize_file(path, size / 2); break;
    case Damage::Random: {
      std::mt19937 random(static_cast<unsigned>(size));
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      for (uintmax_t i = 0; i < size; ++i) out.put(static_cast<char>(random()));
      break;
    }
  }
}

// Key presses sent to each window itself rather than to the focus, so that
// games running side by side each get their own. Each key is held across a
// few frames of the slowest game, in every window at once.
void sendKeys(const std::vector<unsigned long>& windows, const std::vector<std::string>& keys) {
  if (windows.empty()) return;
  std::string command = "xdotool";
  for (const auto& key : keys) {
    for (unsigned long w : windows) command += " keydown --window " + std::to_string(w) + " " + key;
    command += " sleep 0.1";
    for (unsigned long w : windows) command += " keyup --window " + std::to_string(w) + " " + key;
    command += " sleep 0.08";
  }
  command += " 2>/dev/null";  // xdotool remarks on the focus, which these events do not need
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

struct GameRun {
  Variant variant;
  std::string dir;
  std::unique_ptr<e2e::GameProcess> game;
  unsigned long window = 0;
};

std::unique_ptr<GameRun> start(const Variant& variant) {
  auto run = std::make_unique<GameRun>();
  run->variant = variant;
  run->dir = e2e::makeWorkDir("badres", true);
  damageFile(fs::path(run->dir) / variant.file, variant.damage);
  std::vector<std::string> env;
  if (variant.stopsTheGame()) env.push_back(e2e::kNoLeakCheckAtExit);  // it ends through exit
  run->game = std::make_unique<e2e::GameProcess>(run->dir, env);
  return run;
}

void expectFontFailure(GameRun& run) {
  EXPECT_EQ(run.game->waitForExit(60), 1) << run.variant.label();
  std::string errors = run.game->errors();
  EXPECT_NE(errors.find("cannot load the font ./res/fonts/Cookies.ttf"), std::string::npos)
      << run.variant.label() << ": " << errors;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << run.variant.label() << ": " << errors;
}

// The window shows black until the game's first frame: keys sent before it
// would all reach the game in one frame, where a press and its release cancel.
// The game places its window itself once its loop runs, so the move is repeated
// until the frame shows.
bool waitForFirstFrame(GameRun& run, std::array<int, 2> place) {
  run.window = run.game->waitForWindow(60);
  if (run.window == 0) return false;
  std::string id = std::to_string(run.window);
  std::string move = "xdotool windowmove " + id + " " + std::to_string(place[0]) + " " +
                     std::to_string(place[1]) + " windowraise " + id;
  for (int i = 0; i < 300 && run.game->alive(); ++i) {
    if (std::system(move.c_str()) != 0) return false;
    e2e::pause(0.1);
    if (run.game->pixel(kSkyX, kSkyY) != std::array<uint8_t, 3>{0, 0, 0}) {
      e2e::pause(0.5);  // the renderer compiles its shaders over the first frames, which run slow
      return true;
    }
  }
  return false;
}

void check(std::vector<std::unique_ptr<GameRun>>& batch) {
  std::vector<unsigned long> playing;
  for (size_t i = 0; i < batch.size(); ++i) {
    GameRun* run = batch[i].get();
    if (run->variant.stopsTheGame()) {
      expectFontFailure(*run);
    } else if (waitForFirstFrame(*run, kPlaces[i])) {
      playing.push_back(run->window);
    } else {
      ADD_FAILURE() << run->variant.label() << ": no frame drawn: " << run->game->errors();
      run->window = 0;
    }
  }
  sendKeys(playing, {"3", "3", "3", "3"});  // at most four slides before the game
  for (auto& run : batch)
    if (run->window != 0) {
      EXPECT_TRUE(run->game->waitForPixel(kSkyX, kSkyY, kSky, kSkyTolerance, 20))
          << run->variant.label() << ": not on the game screen";
    }
  sendKeys(playing, {"q", "d", "x"});  // a few stomps
  for (auto& run : batch) {
    if (run->window != 0) {
      EXPECT_TRUE(run->game->alive()) << run->variant.label() << ": " << run->game->errors();
    }
    run->game.reset();  // ends the game
    fs::remove_all(run->dir);
  }
  batch.clear();
}

}  // namespace

TEST(BadResources, EveryFileMissingEmptyHalfOrRandomStillPlaysExceptTheFont) {
  std::vector<Variant> variants = allVariants();
  ASSERT_GE(variants.size(), 4u * 30) << "the resource tree looks incomplete";
  std::vector<std::unique_ptr<GameRun>> batch;
  for (const Variant& variant : variants) {
    batch.push_back(start(variant));
    if (batch.size() == kBatch) check(batch);
  }
  check(batch);
}
