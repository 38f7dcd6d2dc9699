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
  // The indicator drawn large for the pad setup: square 0 centred at (x, y)
  // window pixels, squares pitch pixels apart; the buttons of the pad slot are
  // lit, in gold, and nothing else.
  void drawSetupIndicator(float x, float y, float pitch, int litSlot) const;

  static int padSlotOf(int button);
  static unsigned char keyOf(int button);

 private:
  struct GridStyle {
    float x, y;       // window pixels of square 0's centre
    float pitch;      // pixels between square centres
    bool gold;        // lit buttons opaque gold instead of the common white
  };
  // The 3 by 3 grid and the two bars; lit has one entry per button.
  void drawGrid(const GridStyle& style, const bool* lit) const;
  void drawButton(float column, float row, float aspect, bool lit, bool gold) const;

  unsigned indicatorList_ = 0;  // textured unit quad of one indicator square
};
