// PadInput: the eleven pad buttons the game asks about (nine squares, Start,
// Select), answered from the dance pad and, for pad 0, the keyboard; and the
// pad square indicator drawn in the bottom-right corner every frame.
#pragma once

constexpr int kButtonStart = 9;
constexpr int kButtonSelect = 10;

class PadInput {
 public:
  static PadInput& instance();

  void init();
  bool pressed(int button, int pad) const;
  bool released(int button, int pad) const;
  bool lit(int button) const;
  void drawIndicator() const;

  static int padSlotOf(int button);
  static unsigned char keyOf(int button);

 private:
  void drawBar(int button, int column) const;  // Start or Select above the grid column

  unsigned indicatorList_ = 0;  // textured unit quad of one indicator square
};
