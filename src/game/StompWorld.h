// StompWorld: the rules of the game. Turns the players' presses into stomps,
// scores them, picks the sounds, lifts feet, orbits the camera and spawns
// waves. Alone, player 1 plays the classic game; together, the players stomp
// at once, each scored on their own, in rounds.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>

#include "game/BestStomp.h"
#include "game/PadSquare.h"
#include "game/Party.h"
#include "game/Stomps.h"
#include "input/FrameInput.h"
#include "media/SoundBank.h"

class VictimCrowd;
class FootManager;

class StompWorld {
 public:
  static constexpr float kStompVolume = 1.0f;  // squish and explosion, 0..1
  static constexpr int kDefaultRoundSeconds = 90;
  static constexpr int kMinRoundSeconds = 30, kMaxRoundSeconds = 600;
  static constexpr float kTurnWarningSeconds = 1;  // a party sees a wave's turn coming this long

  // The game's world, playing with the global crowd and feet.
  static StompWorld& instance();
  // A world of its own over the given crowd and feet (tests build these).
  StompWorld(VictimCrowd& crowd, FootManager& feet);

  // Where update(dt) takes the frame's pad buttons from, and what draws the
  // score: the app hands both over at start. Without a source nothing is
  // pressed; without a drawer drawScore draws nothing.
  using InputSource = std::function<const PadFrame&()>;
  using ScoreDrawer = std::function<void(const StompWorld&)>;
  void setInputSource(InputSource source) { inputSource_ = std::move(source); }
  void setScoreDrawer(ScoreDrawer drawer) { scoreDrawer_ = std::move(drawer); }

  // Sounds, then the first wave.
  void init();
  void loadSounds();  // once, however often asked
  void spawnWave();
  // One frame of the rules, with the input source's frame.
  void update(float dt);
  // One frame of the rules with this frame's pad buttons.
  void update(float dt, const PadFrame& pads);
  int squareForButton(int button) const;
  void drawScore() const;
  // From now on the best stomp of all runs starts from this file and every new
  // record is written to it the moment it is set.
  void keepBestEverIn(const std::filesystem::path& file);

  // The players. Sources that pressed Start and are no player's join, each with a chime.
  const Party& party() const { return party_; }
  Party& party() { return party_; }
  void joinPlayers(const PadFrame& pads);

  // A party plays in rounds: starting one sets every player's round score to
  // 0 and sends off the players whose pad is still out.
  void setRoundSeconds(int seconds) { roundSeconds_ = seconds; }
  void startRound();
  bool roundOver() const { return party_.together() && roundLeft_ <= 0; }
  float roundSecondsLeft() const { return roundLeft_; }
  // The round's cheer, for its results.
  void cheerRound();

  // Player 1's, which are the solo game's counters.
  int mostPerStomp() const { return party_.players().front().score.mostPerStomp; }
  int lastStomp() const { return party_.players().front().score.lastStomp; }
  int bestEver() const { return bestEver_; }
  // The slot of the player whose party record the best ever is; -1 when it is not one.
  int bestEverBy() const { return bestEverBy_; }
  int targetAngle() const { return targetAngle_; }
  float viewAngle() const { return viewAngle_; }
  // Seconds until a party's wave-end turn; 0 when none is coming.
  float turnDueIn() const { return turnDueIn_; }
  const std::array<PadSquare, kSquareCount>& squares() const { return squares_; }

 private:
  void playAlone(const PadFrame& pads);
  void playTogether(const PadFrame& pads);
  // The squares the player's buttons came down on this frame, in button order.
  std::vector<StompPress> pressesOf(const Player& player, const ButtonStates& buttons) const;
  void land(Player& player, const StompLanding& landing);
  void score(Player& player, int squashed);
  void liftReleased(const Player& player, const ButtonStates& buttons);
  void turnWhenDue(float dt);
  void orbitCamera(float dt);
  void endWave();

  VictimCrowd& crowd_;
  FootManager& feet_;
  InputSource inputSource_;
  ScoreDrawer scoreDrawer_;
  Party party_;
  float elapsedTime_ = 0;                          // seconds; drives the camera's height wave and pitch wobble
  std::array<PadSquare, kSquareCount> squares_;    // the floor grid, in square-index order
  int targetAngle_ = -90;                          // degrees; steps of 90, never wrapped
  float viewAngle_ = -90;                          // degrees; eases toward targetAngle_
  float turnDueIn_ = 0;                            // seconds until a party's wave-end turn; 0 for none
  SoundGroup squishSounds_;
  SoundGroup explosionSounds_;
  SoundGroup cheerSounds_;
  SoundGroup joinSounds_;
  bool soundsLoaded_ = false;
  int bestEver_ = 0;                               // best stomp of all runs, this one included
  int bestEverBy_ = -1;                            // slot of the player whose party stomp set it; -1 for none
  std::optional<BestStompFile> bestEverFile_;      // none: the best ever lives only as long as the world
  int roundSeconds_ = kDefaultRoundSeconds;        // a party round's length
  float roundLeft_ = 0;                            // seconds left of the party's round
};
