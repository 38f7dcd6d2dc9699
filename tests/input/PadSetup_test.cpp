// The pad setup done standing on the pad, driven through SDL virtual joysticks
// with the game's own reader: a fresh reader and config dir for every test,
// one poll and one setup update per frame.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "input/DancePad.h"
#include "input/PadInput.h"
#include "input/PadSetup.h"
#include "support/Files.h"
#include "support/VirtualPad.h"

namespace {

using testpad::kOddPad, testpad::kOddPadAnswers, testpad::kSkip, testpad::VirtualPad;
using namespace testpad::oddpad;  // its buttons
using State = PadSetup::State;

constexpr float kFrame = 1 / 60.f;
constexpr float kSlowFrame = 0.125f;  // the longest frame the game runs

class PadSetupTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SDL_InitSubSystem(SDL_INIT_JOYSTICK); }  // virtual pads outlive each reader
  static void TearDownTestSuite() { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }

  void SetUp() override {
    if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real joystick is attached";
    setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    pads = std::make_unique<DancePad>();
    pads->open();
  }

  std::string filePath() const { return configHome + "/stompalong/pads.txt"; }

  void frame(float dt = kFrame) {
    pads->poll();
    setup.update(dt);
  }
  void answer(VirtualPad& pad, const std::vector<int>& buttons) {
    testpad::answerSetup(pad, setup, buttons, [this](float dt) { frame(dt); });
  }
  void stepOn(VirtualPad& pad, int button) { answer(pad, {button}); }
  bool slotOn(int slot) const { return pads->current[0][slot]; }

  testfiles::TempDir config{"padsetup-config"};
  std::string configHome = config.path().string();
  std::unique_ptr<DancePad> pads;
  PadSetup setup;
};

TEST_F(PadSetupTest, EveryStepRecordsItsInputThenTheMappingIsSavedAndUsed) {
  VirtualPad pad(kOddPad);
  ASSERT_TRUE(pad.ok());
  frame();
  setup.begin(*pads, 0);
  ASSERT_EQ(setup.state(), State::Stepping);
  EXPECT_EQ(setup.deviceName(), "Odd Pad");
  EXPECT_EQ(setup.slot(), kSlotUp);

  testing::internal::CaptureStderr();
  answer(pad, kOddPadAnswers);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(setup.state(), State::Saved);
  EXPECT_FALSE(setup.running());

  PadMapping mapping = pads->mapping(0);
  PadMapping defaults = PadMapping::defaults();
  EXPECT_EQ(mapping.slots[kSlotUp], std::vector{PadInputId::button(kUp)});
  EXPECT_EQ(mapping.slots[kSlotRight], std::vector{PadInputId::button(kRight)});
  EXPECT_EQ(mapping.slots[kSlotDown], std::vector{PadInputId::button(kDown)});
  EXPECT_EQ(mapping.slots[kSlotLeft], std::vector{PadInputId::button(kLeft)});
  EXPECT_EQ(mapping.slots[kSlotStart], std::vector{PadInputId::button(kStart)});
  EXPECT_EQ(mapping.slots[kSlotSelect], std::vector{PadInputId::button(kSelect)});
  for (int slot : {kSlotUpLeft, kSlotUpRight, kSlotDownRight, kSlotDownLeft})
    EXPECT_EQ(mapping.slots[slot], defaults.slots[slot]) << buttonName(slot) << " was skipped";

  PadMappingParse saved = parsePadMappings(testfiles::readText(filePath()));
  ASSERT_EQ(saved.pads.size(), 1u) << "nothing saved in " << filePath();
  EXPECT_EQ(saved.pads[0].guid, pad.guid());
  EXPECT_EQ(saved.pads[0].name, "Odd Pad");
  EXPECT_EQ(saved.pads[0].mapping, mapping);

  frame();  // the release of the last step reads out
  pad.set(kUp, true);  // and the pad plays with the new mapping at once
  pad.set(kSelect, true);
  frame();
  EXPECT_TRUE(slotOn(kSlotUp));
  EXPECT_TRUE(slotOn(kSlotSelect));
  EXPECT_FALSE(slotOn(kSlotLeft));
}

TEST_F(PadSetupTest, AStepWithNoInputForFiveSecondsIsSkippedAndKeepsItsInputsLessTakenOnes) {
  VirtualPad pad({.buttons = 10, .hats = 1});
  ASSERT_TRUE(pad.ok());
  frame();
  setup.begin(*pads, 0);
  for (int i = 0; i < 39; ++i) frame(kSlowFrame);  // 4.875 s
  EXPECT_EQ(setup.slot(), kSlotUp);
  EXPECT_FLOAT_EQ(setup.secondsLeft(), 0.125f);
  frame(kSlowFrame);
  EXPECT_EQ(setup.slot(), kSlotRight) << "Up skipped after five seconds";
  EXPECT_FLOAT_EQ(setup.secondsLeft(), PadSetup::kStepSeconds);

  stepOn(pad, 2);  // the button Up had: Right takes it
  for (int step = 2; step < PadSetup::kSteps; ++step) answer(pad, {kSkip});
  ASSERT_EQ(setup.state(), State::Saved);
  PadMapping mapping = pads->mapping(0);
  EXPECT_EQ(mapping.slots[kSlotRight], std::vector{PadInputId::button(2)});
  EXPECT_EQ(mapping.slots[kSlotUp], (std::vector{PadInputId::hat(0, PadInputId::kHatUp), PadInputId::axis(1, -1)}));
  EXPECT_EQ(mapping.slots[kSlotLeft], PadMapping::defaults().slots[kSlotLeft]);
}

TEST_F(PadSetupTest, AnInputAlreadyTakenAsksAgainWithTheFullTime) {
  VirtualPad pad(kOddPad);
  ASSERT_TRUE(pad.ok());
  frame();
  setup.begin(*pads, 0);
  stepOn(pad, kUp);
  for (int i = 0; i < 32; ++i) frame(kSlowFrame);  // 4 s into Right's step
  stepOn(pad, kUp);
  EXPECT_EQ(setup.slot(), kSlotRight) << "still asking for Right";
  EXPECT_EQ(setup.takenBy(), kSlotUp);
  for (int i = 0; i < 32; ++i) frame(kSlowFrame);  // 4 s more: the time started again
  EXPECT_EQ(setup.slot(), kSlotRight);
  stepOn(pad, kRight);
  EXPECT_EQ(setup.slot(), kSlotDown);
  EXPECT_EQ(setup.takenBy(), -1);
  EXPECT_EQ(setup.recorded(kSlotRight), PadInputId::button(kRight));
}

// Stepping on a hat's diagonal, or with both feet, brings two inputs on in one
// frame: the first answers the step, the other answers nothing.
TEST_F(PadSetupTest, InputsThatComeOnTogetherAnswerOnlyTheStepAsked) {
  VirtualPad pad({.buttons = 4, .hats = 1});
  ASSERT_TRUE(pad.ok());
  frame();
  setup.begin(*pads, 0);
  pad.setHat(0, SDL_HAT_UP | SDL_HAT_RIGHT);
  frame();
  EXPECT_EQ(setup.recorded(kSlotUp), PadInputId::hat(0, PadInputId::kHatUp));
  EXPECT_EQ(setup.slot(), kSlotRight);
  frame();
  EXPECT_EQ(setup.slot(), kSlotRight) << "a held input answers nothing";
  pad.setHat(0, SDL_HAT_CENTERED);
  frame();
  pad.setHat(0, SDL_HAT_RIGHT);
  frame();
  EXPECT_EQ(setup.recorded(kSlotRight), PadInputId::hat(0, PadInputId::kHatRight));
}

TEST_F(PadSetupTest, CancelSavesNothing) {
  VirtualPad pad(kOddPad);
  ASSERT_TRUE(pad.ok());
  frame();
  setup.begin(*pads, 0);
  answer(pad, {kUp, kRight, kDown, kLeft, kSkip, kSkip, kSkip, kSkip, kStart});
  ASSERT_TRUE(setup.running());
  setup.cancel();
  frame();
  EXPECT_EQ(setup.state(), State::Cancelled);
  EXPECT_EQ(pads->mapping(0), PadMapping::defaults());
  EXPECT_FALSE(std::filesystem::exists(configHome + "/stompalong"));
}

TEST_F(PadSetupTest, APadUnpluggedMidwayEndsTheSetupWithNothingSaved) {
  auto pad = std::make_unique<VirtualPad>(kOddPad);
  ASSERT_TRUE(pad->ok());
  frame();
  setup.begin(*pads, 0);
  stepOn(*pad, kUp);
  pad.reset();
  frame();
  EXPECT_EQ(setup.state(), State::Unplugged);
  EXPECT_FALSE(setup.running());
  EXPECT_FALSE(std::filesystem::exists(configHome + "/stompalong"));

  VirtualPad again(kOddPad);  // the same pad back on the same number is not set up behind the player's back
  ASSERT_TRUE(again.ok());
  stepOn(again, kRight);
  EXPECT_EQ(setup.state(), State::Unplugged);
  EXPECT_EQ(pads->mapping(0), PadMapping::defaults());
}

TEST_F(PadSetupTest, BegunWithNoPadItWaitsForOne) {
  setup.begin(*pads, 0);
  frame();
  EXPECT_EQ(setup.state(), State::WaitingForPad);
  EXPECT_EQ(setup.slot(), -1);
  VirtualPad pad(kOddPad);
  ASSERT_TRUE(pad.ok());
  pad.set(kLeft, true);  // already down as it is plugged in: no answer
  frame();
  EXPECT_EQ(setup.state(), State::Stepping);
  frame();
  EXPECT_EQ(setup.slot(), kSlotUp);
  pad.set(kLeft, false);
  stepOn(pad, kUp);
  EXPECT_EQ(setup.recorded(kSlotUp), PadInputId::button(kUp));
}

TEST_F(PadSetupTest, AnUnwritableConfigDirEndsTheSetupWithOneLineAndTheMappingStillApplies) {
  testfiles::writeText(configHome + "/stompalong", "a file where the directory should be\n");
  auto pad = std::make_unique<VirtualPad>(kOddPad);
  ASSERT_TRUE(pad->ok());
  frame();
  setup.begin(*pads, 0);
  testing::internal::CaptureStderr();
  answer(*pad, kOddPadAnswers);
  std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(setup.state(), State::Saved);
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  EXPECT_NE(errors.find("cannot save the pad mapping to " + filePath()), std::string::npos) << errors;

  pad->set(kUp, true);
  frame();
  EXPECT_TRUE(slotOn(kSlotUp));
  pad.reset();  // pulled and plugged in again: still set up for this run
  frame();
  frame();
  VirtualPad again(kOddPad);
  again.set(kLeft, true);
  frame();
  EXPECT_TRUE(slotOn(kSlotLeft));
}

TEST_F(PadSetupTest, SelectHeldTwoSecondsOpensTheSetupForThatPad) {
  VirtualPad first, second;
  ASSERT_TRUE(first.ok() && second.ok());
  constexpr int kSelectButton = 9;
  SelectHold hold;
  auto holdFor = [&](VirtualPad& pad, int frames) {
    pad.set(kSelectButton, true);
    int opened = -1;
    for (int i = 0; i < frames && opened < 0; ++i) {
      pads->poll();
      opened = hold.update(padFrameOf(*pads), kSlowFrame);
    }
    return opened;
  };
  auto letGo = [&](VirtualPad& pad) {
    pad.set(kSelectButton, false);
    pads->poll();
    hold.update(padFrameOf(*pads), kSlowFrame);
  };

  EXPECT_EQ(holdFor(second, 15), -1) << "1.875 s is not enough";
  letGo(second);
  EXPECT_EQ(holdFor(second, 16), 1);
  EXPECT_EQ(holdFor(second, 40), -1) << "one opening per hold";
  letGo(second);

  EXPECT_EQ(holdFor(first, 16), 0);
  hold.rearm();  // the setup ran with Select still down: its release comes first
  EXPECT_EQ(holdFor(first, 40), -1);
  letGo(first);
  EXPECT_EQ(holdFor(first, 16), 0);
}

}  // namespace
