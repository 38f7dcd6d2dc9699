// The real game against hostile files and a hostile start: pictures that claim
// to be huge, a sound that claims 1 Hz, a font whose glyphs come out giant; a
// start from another folder, and a resource folder the game may not read.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/Assets.h"
#include "support/GameProcess.h"
#include "support/Hostile.h"

namespace {

namespace fs = std::filesystem;

constexpr double kMostMegabytes = 1024;  // the whole game, whatever its files claim
constexpr uid_t kNobody = 65534;         // a user with no access to the test's files
constexpr int kCentreX = 400, kCentreY = 300;

fs::path in(const testfiles::TempDir& dir, const char* asset) { return dir.path() / asset; }

// Whether the user may run the file: every folder on its way open to them.
bool canRun(uid_t user, const fs::path& file) {
  pid_t child = fork();
  if (child == 0) _exit(setgid(user) == 0 && setuid(user) == 0 && access(file.c_str(), X_OK) == 0 ? 0 : 1);
  int status = 1;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The game binary where the user can run it: where it is, else a copy in a
// folder open to all (a checkout in a folder closed to others, as a root
// user's home or `mktemp -d`, keeps the user out). Empty if neither works.
fs::path runnableBy(uid_t user, const testfiles::TempDir& spare) {
  const char* bin = std::getenv("STOMPALONG_BIN");
  fs::path binary = fs::absolute(bin ? bin : "build/stompalong");  // as GameProcess finds it
  if (canRun(user, binary)) return binary;
  fs::path copy = spare.path() / "stompalong";  // statically linked to the game: the file is all it needs
  fs::copy_file(binary, copy);
  fs::permissions(spare.path(), fs::perms(0755));
  return canRun(user, copy) ? copy : fs::path();
}

}  // namespace

TEST(Hostile, AGameOfHostileFilesReachesTheGameScreenInBoundedMemory) {
  testfiles::TempDir dir = e2e::copyOfResources("hostile");
  hostile::writeTgaHeaderOnly(in(dir, assets::kShadow), 2, 32767, 32);
  hostile::writePngBomb(in(dir, assets::kFloor), 4096);
  hostile::writePngBomb(in(dir, assets::kSplatter), 4096);
  testfiles::writeSquareWav(in(dir, assets::kCheers[0]), 20000, 8000, 1);  // 20000 samples at 1 Hz
  hostile::makeGlyphsGiant(in(dir, assets::kFont));

  e2e::GameProcess game(std::move(dir));
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  game.enterGame();
  EXPECT_TRUE(game.waitForPixel(e2e::kSkyX, e2e::kSkyY, e2e::kSky, 6, 20)) << "not on the game screen";
  for (int round = 0; round < 3; ++round)
    for (const char* square : e2e::kSquareKeys) game.key(square);
  ASSERT_TRUE(game.alive()) << game.report();
  EXPECT_LT(game.peakResidentMegabytes(), kMostMegabytes);
}

// A checkout's build/stompalong, started in a folder with no res/ of its own,
// finds the checkout's files beside its executable.
TEST(Hostile, StartedFromAnotherFolderTheGameFindsItsFiles) {
  testfiles::TempDir elsewhere("elsewhere");
  e2e::GameProcess game(elsewhere.path(), {e2e::kNoLeakCheckAtExit});  // closed at the end
  ASSERT_TRUE(game.waitForFirstFrame()) << game.report();
  EXPECT_NE(game.pixel(kCentreX, kCentreY), (e2e::Rgb{0, 0, 0})) << "no slide drawn";
  game.close();
  ASSERT_EQ(game.waitForExit(20), 0) << game.report();
  EXPECT_NE(game.output().find(std::string("Loading texture ") + assets::kSlides[0] + "...done."), std::string::npos)
      << game.output();
  EXPECT_FALSE(fs::exists(elsewhere.path() / assets::kResourceDir));
}

// The one line names the font, the folder and the system's reason. As root,
// the game runs as a user the folder is closed to.
TEST(Hostile, AnUnreadableResourceFolderGivesOneLineWithTheSystemsReason) {
  testfiles::TempDir dir = e2e::fontOnly("unreadable");
  fs::permissions(dir.path() / assets::kResourceDir, fs::perms::none);
  std::optional<uid_t> user;
  testfiles::TempDir spare("nobody-bin");
  const std::string ownBinary = std::getenv("STOMPALONG_BIN") ? std::getenv("STOMPALONG_BIN") : "build/stompalong";
  if (geteuid() == 0) {
    user = kNobody;
    fs::path runnable = runnableBy(kNobody, spare);
    if (runnable.empty()) GTEST_SKIP() << "user " << kNobody << " cannot run the game here, nor a copy in " << spare.path();
    setenv("STOMPALONG_BIN", runnable.c_str(), 1);  // what the game process starts
  }
  {
    // A data folder of its own, with no best stomp yet: the font's line is the only one.
    std::string dataHome = "XDG_DATA_HOME=" + (dir.path() / "data").string();
    e2e::GameProcess game(dir.path(), {e2e::kNoLeakCheckAtExit, dataHome}, user);
    e2e::expectOneLineExit(game, {std::string("cannot load the font ") + assets::kFont + " in " +
                                  dir.path().string() + ": Permission denied"});
  }
  setenv("STOMPALONG_BIN", ownBinary.c_str(), 1);
  fs::permissions(dir.path() / assets::kResourceDir, fs::perms::owner_all);  // so the folder can be removed
}
