// Draws every picture of the game into <out>/images (default ./res).
// Usage: gen_images [out-dir] [font.ttf]
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>

#include "art.h"
#include "slides.h"

namespace {

const char* const kDefaultFont = "/usr/share/fonts/truetype/leckerli-one/LeckerliOne-Regular.ttf";

struct Sprite {
  const char* name;
  int width, height;  // pixels
  art::Box view;
  std::function<void(art::Canvas&)> draw;
};

void render(const Sprite& s, const std::string& dir) {
  art::Canvas c(s.width, s.height);
  c.setView(s.view);
  s.draw(c);
  std::string path = dir + "/" + s.name;
  std::string name = s.name;
  if (name.ends_with(".tga"))
    art::writeTga(c, path);
  else
    art::writePng(c, path);
  std::printf("%s\n", path.c_str());
}

std::function<void(art::Canvas&)> foot(int which) {
  return [which](art::Canvas& c) { art::drawFoot(c, which); };
}

}  // namespace

int main(int argc, char** argv) {
  std::string out = argc > 1 ? argv[1] : "./res";
  std::string fontPath = argc > 2 ? argv[2] : kDefaultFont;
  std::string dir = out + "/images";
  try {
    std::filesystem::create_directories(dir);
    const Sprite sprites[] = {
        {"deliciousVictim_head.png", 128, 128, art::kHeadBox, art::drawVictimHead},
        {"deliciousVictim_body.png", 64, 128, art::kBodyBox, art::drawVictimBody},
        {"deliciousVictim_arm.png", 64, 64, art::kArmBox, art::drawVictimArm},
        {"shadow.tga", 64, 64, art::kUnitBox, art::drawShadow},
        {"splatter.png", 128, 128, art::kUnitBox, art::drawSplatter},
        {"floor.png", 1024, 1024, art::kFloorBox, art::drawFloor},
        {"cityscape1.png", 512, 240, art::kSkylineBox, art::drawSkyline},
        {"foot1.png", 128, 256, art::kFootBox, foot(0)},
        {"foot2.png", 128, 256, art::kFootBox, foot(1)},
        {"foot3.png", 128, 256, art::kFootBox, foot(2)},
        {"foot4.png", 128, 256, art::kFootBox, foot(3)},
        {"padSquareIndicator.png", 64, 64, art::kUnitBox, art::drawPadSquareIndicator},
    };
    for (const Sprite& s : sprites) render(s, dir);
    art::Font font(fontPath);
    for (const art::Slide& s : art::slides()) {
      art::Canvas c(art::kSlideWidth, art::kSlideHeight);
      s.draw(c, font);
      std::string path = dir + "/" + s.name;
      art::writePng(c, path);
      std::printf("%s\n", path.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gen_images: %s\n", e.what());
    return 1;
  }
  return 0;
}
