// The party's HUD on a real GL context with the game's font: four players'
// blocks, the round's lines and the four indicators stay inside the window
// and clear of one another at 800x600 and in full HD, each block shows in
// its player's colour, and every party layer leaves GL as it found it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/hud/Hud.h"
#include "core/PlayerColours.h"
#include "media/FontManager.h"
#include "objects/Camera.h"
#include "objects/Foot.h"
#include "objects/VictimCrowd.h"
#include "support/GlTest.h"

namespace {

bool overlap(const Rect& a, const Rect& b) {
  return a.minX < b.maxX && b.minX < a.maxX && a.minY < b.maxY && b.minY < a.maxY;
}

bool inside(const Rect& r, WindowSize w) { return r.minX >= 0 && r.minY >= 0 && r.maxX <= w.width && r.maxY <= w.height; }

class PartyHud : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {  // the tests run from the repository root: the real ./res/
    FontManager::instance().load(assets::kFont, 32);
    hud::load();
  }
  void SetUp() override {
    PadFrame join;
    for (int pad = 1; pad < kMaxPads; ++pad) {
      join.devices[pad].id = pad;
      join.sources[pad].pressed = ButtonStates::bit(kButtonStart);
    }
    world.joinPlayers(join);
    for (Player& player : world.party().players()) player.score = {88, 88, 888, 88};  // the widest lines likely
    world.startRound();
  }
  void TearDown() override { Camera::instance().resize(testgl::kWidth, testgl::kHeight); }

  // Every box the HUD lays out at this window size.
  std::vector<Rect> boxes(WindowSize window) const {
    std::vector<Rect> all;
    for (const Player& player : world.party().players()) {
      auto block = hud::scoreBlock(player, window);
      all.push_back(hud::boxAround(block.data(), static_cast<int>(block.size()), 0));
      all.push_back(hud::indicatorBox(player.slot, window));
    }
    auto round = hud::roundLines(world, window);
    all.push_back(hud::boxAround(round.data(), static_cast<int>(round.size()), 0));
    return all;
  }

  VictimCrowd crowd;
  FootManager feet;
  StompWorld world{crowd, feet};
};

TEST_F(PartyHud, EveryBlockAndIndicatorStaysInTheWindowAndClearOfTheOthers) {
  for (WindowSize window : {WindowSize{800, 600}, WindowSize{1920, 1080}}) {
    std::vector<Rect> all = boxes(window);
    for (size_t a = 0; a < all.size(); ++a) {
      EXPECT_TRUE(inside(all[a], window)) << "box " << a << " at " << window.width;
      for (size_t b = a + 1; b < all.size(); ++b)
        EXPECT_FALSE(overlap(all[a], all[b])) << "boxes " << a << " and " << b << " at " << window.width;
    }
  }
}

TEST_F(PartyHud, EachBlockShowsInItsPlayersColourAndEveryLayerLeavesGlAsFound) {
  testgl::resetFrame(0.5f, 0.5f, 0.5f);
  testgl::DrawCheck check;
  hud::drawScore(world);
  hud::drawIndicators(world.party(), PadFrame{});
  hud::drawJoinStrip(world.party());
  hud::drawResults(world);
  EXPECT_TRUE(check.clean());

  testgl::resetFrame(0.5f, 0.5f, 0.5f);
  hud::drawScore(world);
  testgl::Frame frame = testgl::readFrame();
  WindowSize window{testgl::kWidth, testgl::kHeight};
  for (const Player& player : world.party().players()) {
    auto block = hud::scoreBlock(player, window);
    Rect box = hud::boxAround(block.data(), static_cast<int>(block.size()), 0);
    assets::Rgb8 c = players::kColours[player.slot];
    testgl::Box found = testgl::boxWhere(
        frame, [&](const uint8_t* p) { return std::abs(p[0] - c.r) + std::abs(p[1] - c.g) + std::abs(p[2] - c.b) < 30; },
        {int(box.minX), int(box.minY), int(box.maxX), int(box.maxY)});
    EXPECT_GT(found.height(), 10) << "player " << player.slot + 1;
  }
}

}  // namespace
