// Bad resources: the real game started on a copy of res/ whose files are
// missing, empty, cut to half their size or replaced by random bytes.
// Pictures and sounds just go missing and the game still reaches the game
// screen and plays; a bad font stops start-up with one clear line and status 1,
// except a font cut at half, which FreeType still opens.
// By default one game per kind of damage with every picture and sound damaged
// at once, and one per kind with only the font damaged; the sweep over every
// file alone is the long case.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/Assets.h"
#include "support/GameProcess.h"

namespace {

namespace fs = std::filesystem;

enum class Damage { Missing, Empty, Half, Random };
const Damage kDamages[] = {Damage::Missing, Damage::Empty, Damage::Half, Damage::Random};

std::string nameOf(Damage damage) {
  const char* const names[] = {"Missing", "Empty", "Half", "Random"};
  return names[static_cast<int>(damage)];
}

void damageFile(const fs::path& path, Damage damage) {
  auto size = fs::file_size(path);
  switch (damage) {
    case Damage::Missing: fs::remove(path); break;
    case Damage::Empty: fs::resize_file(path, 0); break;
    case Damage::Half: fs::resize_file(path, size / 2); break;
    case Damage::Random: {
      std::mt19937 random(static_cast<unsigned>(size));
      std::vector<uint8_t> bytes(size);
      for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
      testfiles::writeBytes(path, bytes);
      break;
    }
  }
}

// Every file of the resource tree, as paths the game reads ("./res/...").
std::vector<fs::path> resourceFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(assets::kResourceDir))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

bool isFont(const fs::path& file) { return file == fs::path(assets::kFont); }

// FreeType opens a font cut at half its size (its tables of contents come
// first) and the game plays with what glyphs survive; other damage stops it.
bool stopsTheGame(const fs::path& file, Damage damage) { return isFont(file) && damage != Damage::Half; }

void expectToPlay(e2e::GameProcess& game, const std::string& label) {
  ASSERT_TRUE(game.waitForFirstFrame()) << label << ": no frame drawn; " << game.report();
  game.stepThroughSlides();
  EXPECT_TRUE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 3, 20)) << label << ": not on the game screen";
  for (const char* square : {"q", "d", "x"}) game.key(square);  // a few stomps
  EXPECT_TRUE(game.alive()) << label << ": " << game.report();
}

// One game on a copy of res/ with the given files damaged.
void runWithDamaged(const std::vector<fs::path>& files, Damage damage, const std::string& label) {
  testfiles::TempDir dir = e2e::copyOfResources("badres");
  bool stops = false;
  for (const fs::path& file : files) {
    damageFile(dir.path() / file, damage);
    stops = stops || stopsTheGame(file, damage);
  }
  std::vector<std::string> env;
  if (stops) env.push_back(e2e::kNoLeakCheckAtExit);  // it ends through exit
  e2e::GameProcess game(std::move(dir), env);
  if (stops) {
    SCOPED_TRACE(label);
    e2e::expectOneLineExit(game, {std::string("cannot load the font ") + assets::kFont});
  } else {
    expectToPlay(game, label);
  }
}

class BadResources : public ::testing::TestWithParam<Damage> {};

TEST_P(BadResources, EveryPictureAndSoundAtOnceTheGameStillPlays) {
  std::vector<fs::path> files = resourceFiles();
  ASSERT_GE(files.size(), 30u) << "the resource tree looks incomplete";
  std::erase_if(files, isFont);
  runWithDamaged(files, GetParam(), "every file but the font " + nameOf(GetParam()));
}

TEST_P(BadResources, TheFontAloneStopsTheGameUnlessCutAtHalf) {
  runWithDamaged({assets::kFont}, GetParam(), "the font " + nameOf(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Damage, BadResources, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return nameOf(info.param); });

TEST(BadResourcesLong, EveryFileAloneMissingEmptyHalfOrRandom) {
  std::vector<fs::path> files = resourceFiles();
  ASSERT_GE(files.size(), 30u) << "the resource tree looks incomplete";
  for (const fs::path& file : files)
    for (Damage damage : kDamages) runWithDamaged({file}, damage, file.string() + " " + nameOf(damage));
}

}  // namespace
