#include "WaveSpawn.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Measure.h"
#include "app/Window.h"
#include "core/Assets.h"
#include "game/StompWorld.h"
#include "objects/Arena.h"
#include "objects/Foot.h"
#include "objects/VictimCrowd.h"
#include "support/Files.h"
#include "support/Hostile.h"

namespace bench {

namespace {

namespace fs = std::filesystem;

constexpr int kWavesPerChild = 15;
constexpr int kChildrenPerCase = 3;  // taken in turns with the other cases'
constexpr size_t kPngThroughHeaderBytes = 8 + 25;  // signature, then the header chunk; no picture data

struct Case {
  const char* name;
  std::function<void(const fs::path& res)> spoil;
};

const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {"good", [](const fs::path&) {}},
      {"bad_tga", [](const fs::path& res) {
         hostile::writeTgaHeaderOnly(res / assets::underResourceDir(assets::kShadow), 2, 4096, 32);
       }},
      {"bad_png", [](const fs::path& res) {
         fs::path head = res / assets::underResourceDir(assets::kVictimHead);
         hostile::writeCutCopy(head, head, kPngThroughHeaderBytes);
       }},
  };
  return all;
}

// The figure a child printed, or -1.
double runChild(const fs::path& dir) {
  std::string command = "cd '" + dir.string() + "' && '" + fs::read_symlink("/proc/self/exe").string() + "' " +
                        kWaveSpawnOption + " 2>/dev/null";
  double ms = -1;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) std::sscanf(line, "wave_spawn_ms %lf", &ms);
    pclose(pipe);
  }
  return ms;
}

}  // namespace

void measureWaveSpawn() {
  const testfiles::TempDir scratch("bench");  // goes away even when a copy or a child fails
  for (const Case& c : cases()) {
    const fs::path res = scratch.path() / c.name / "res";
    fs::create_directories(res.parent_path());
    fs::copy(assets::kResourceDir, res, fs::copy_options::recursive);
    c.spoil(res);
  }
  std::map<std::string, std::vector<double>> figures;
  for (int turn = 0; turn < kChildrenPerCase; ++turn)
    for (const Case& c : cases()) figures[c.name].push_back(runChild(scratch.path() / c.name));
  for (const Case& c : cases()) report(std::string("wave_spawn_ms_") + c.name, spreadOf(figures[c.name]), "ms");
}

int waveSpawnChild() {
  createMainWindow(800, 600, "Game");
  arena.load();
  victimCrowd.preloadTextures();  // as the game starts: a picture that fails has failed once
  std::vector<double> samples;
  for (int wave = 0; wave < kWavesPerChild; ++wave) {
    VictimCrowd crowd;
    FootManager feet;
    StompWorld world(crowd, feet);
    double start = wallMs();
    world.spawnWave();
    samples.push_back(millisecondsSince(start));
  }
  std::printf("\nwave_spawn_ms %.4f\n", median(samples));
  return 0;
}

}  // namespace bench
