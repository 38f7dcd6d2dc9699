// Draws every picture of the game into <out>/images and the desktop icon
// into <out>/icons (default ./res).
// Usage: gen_images [out-dir] [font.ttf]
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "art.h"
#include "core/Assets.h"
#include "slides.h"

namespace {

const char* const kDefaultFont = "/usr/share/fonts/truetype/leckerli-one/LeckerliOne-Regular.ttf";

struct Sprite {
  const char* path;  // the game's path of the picture
  int width, height;  // pixels
  art::Box view;
  std::function<void(art::Canvas&)> draw;
};

void render(const Sprite& s, const std::string& out) {
  art::Canvas c(s.width, s.height);
  c.setView(s.view);
  s.draw(c);
  std::string path = out + "/" + assets::underResourceDir(s.path);
  if (path.ends_with(".tga"))
    art::writeTga(c, path);
  else
    art::writePng(c, path);
  std::printf("%s\n", path.c_str());
}

std::function<void(art::Canvas&)> foot(int which) {
  return [which](art::Canvas& c) { art::drawFoot(c, which); };
}

std::function<void(art::Canvas&)> skyline(int side) {
  return [side](art::Canvas& c) { art::drawSkyline(c, side); };
}

}  // namespace

int main(int argc, char** argv) {
  std::string out = argc > 1 ? argv[1] : assets::kResourceDir;
  std::string fontPath = argc > 2 ? argv[2] : kDefaultFont;
  try {
    std::vector<Sprite> sprites = {
        {assets::kVictimHead, 128, 128, art::kHeadBox, art::drawVictimHead},
        {assets::kVictimBody, 64, 128, art::kBodyBox, art::drawVictimBody},
        {assets::kVictimArm, 64, 64, art::kArmBox, art::drawVictimArm},
        {assets::kShadow, 64, 64, art::kUnitBox, art::drawShadow},
        {assets::kSplatter, 128, 128, art::kUnitBox, art::drawSplatter},
        {assets::kFloor, 1024, 1024, art::kFloorBox, art::drawFloor},
        {assets::kPadIndicator, 64, 64, art::kUnitBox, art::drawPadSquareIndicator},
    };
    for (int side = 0; side < art::kSkylineSides; ++side)
      sprites.push_back({assets::kSkylines[side], 512, 240, art::kSkylineBox, skyline(side)});
    for (int which = 0; which < art::kFootCount; ++which)
      sprites.push_back({assets::kFeet[which], 128, 256, art::kFootBox, foot(which)});
    for (const Sprite& s : sprites) render(s, out);
    for (const assets::Icon& icon : assets::kIcons)
      render({icon.path, icon.size, icon.size, art::kUnitBox, art::drawIcon}, out);
    art::Font font(fontPath);
    for (const art::Slide& s : art::slides()) {
      art::Canvas c(art::kSlideWidth, art::kSlideHeight);
      s.draw(c, font);
      std::string path = out + "/" + assets::underResourceDir(s.path);
      art::writePng(c, path);
      std::printf("%s\n", path.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gen_images: %s\n", e.what());
    return 1;
  }
  return 0;
}
