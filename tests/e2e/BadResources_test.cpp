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

// Keys sent to the game's window itself, each held across a few frames so its
// press and release fall into different frames.
void sendKeys(unsigned long window, const std::vector<std::string>& keys) {
  std::string id = std::to_string(window);
  std::string command = "xdotool";
  for (const auto& key : keys)
    command += " keydown --window " + id + " " + key + " sleep 0.1 keyup --window " + id + " " + key + " sleep 0.08";
  command += " 2>/dev/null";  // xdotool remarks on the focus, which these events do not need
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void expectFontFailure(e2e::GameProcess& game, const std::string& label) {
  EXPECT_EQ(game.waitForExit(60), 1) << label;
  std::string errors = game.errors();
  EXPECT_NE(errors.find("cannot load the font ./res/fonts/Cookies.ttf"), std::string::npos) << label << ": " << errors;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << label << ": " << errors;
}

// The window shows black until the game's first frame: keys sent before it
// would all reach the game in one frame, where a press and its release cancel.
bool waitForFirstFrame(e2e::GameProcess& game) {
  for (int i = 0; i < 300 && game.alive(); ++i) {
    if (game.pixel(kSkyX, kSkyY) != std::array<uint8_t, 3>{0, 0, 0}) {
      e2e::pause(0.5);  // the renderer compiles its shaders over the first frames, which run slow
      return true;
    }
    e2e::pause(0.1);
  }
  return false;
}

void expectToPlay(e2e::GameProcess& game, const std::string& label) {
  unsigned long window = game.waitForWindow(60);
  ASSERT_TRUE(window != 0 && waitForFirstFrame(game)) << label << ": no frame drawn: " << game.errors();
  sendKeys(window, {"3", "3", "3", "3"});  // at most four slides before the game
  EXPECT_TRUE(game.waitForPixel(kSkyX, kSkyY, kSky, kSkyTolerance, 20)) << label << ": not on the game screen";
  sendKeys(window, {"q", "d", "x"});  // a few stomps
  EXPECT_TRUE(game.alive()) << label << ": " << game.errors();
}

}  // namespace

TEST(BadResources, EveryFileMissingEmptyHalfOrRandomStillPlaysExceptTheFont) {
  std::vector<Variant> variants = allVariants();
  ASSERT_GE(variants.size(), 4u * 30) << "the resource tree looks incomplete";
  for (const Variant& variant : variants) {
    std::string dir = e2e::makeWorkDir("badres", true);
    damageFile(fs::path(dir) / variant.file, variant.damage);
    std::vector<std::string> env;
    if (variant.stopsTheGame()) env.push_back(e2e::kNoLeakCheckAtExit);  // it ends through exit
    {
      e2e::GameProcess game(dir, env);  // one game at a time: side by side they slow each other down
      if (variant.stopsTheGame())
        expectFontFailure(game, variant.label());
      else
        expectToPlay(game, variant.label());
    }
    fs::remove_all(dir);
  }
}
