// Every file the game reads, relative to the working directory, the desktop
// icon the installer takes, the window's class, and the one colour the tests
// look for. src, tools and tests take them from here.
#pragma once

#include <cstdint>
#include <string_view>

namespace assets {

constexpr const char* kResourceDir = "./res/";

constexpr const char* kFont = "./res/fonts/Cookies.ttf";

constexpr const char* kSlides[] = {
    "./res/images/scrn_FrameworkTitle.png",
    "./res/images/scrn_FrameworkAbout.png",
    "./res/images/scrn_Oxar1.png",
    "./res/images/scrn_Oxar2.png",
};

constexpr const char* kVictimHead = "./res/images/deliciousVictim_head.png";
constexpr const char* kVictimBody = "./res/images/deliciousVictim_body.png";
constexpr const char* kVictimArm = "./res/images/deliciousVictim_arm.png";
constexpr const char* kShadow = "./res/images/shadow.tga";
constexpr const char* kSplatter = "./res/images/splatter.png";
constexpr const char* kFloor = "./res/images/floor.png";
// One skyline per side of the arena, in the order the arena stands its walls
// (turned 0, 90, 180 and 270 degrees about z); the start view faces the first.
constexpr const char* kSkylines[] = {
    "./res/images/cityscape1.png",
    "./res/images/cityscape2.png",
    "./res/images/cityscape3.png",
    "./res/images/cityscape4.png",
};
constexpr const char* kFeet[] = {
    "./res/images/foot1.png",
    "./res/images/foot2.png",
    "./res/images/foot3.png",
    "./res/images/foot4.png",
};
constexpr const char* kPadIndicator = "./res/images/padSquareIndicator.png";

constexpr const char* kSquishes[] = {
    "./res/audio/squish01.mp3", "./res/audio/squish02.mp3", "./res/audio/squish03.mp3",
    "./res/audio/squish04.mp3", "./res/audio/squish05.mp3", "./res/audio/squish06.mp3",
    "./res/audio/squish07.mp3",
};
constexpr const char* kExplosions[] = {
    "./res/audio/explosion01.mp3", "./res/audio/explosion02.mp3", "./res/audio/explosion03.mp3",
    "./res/audio/explosion04.mp3", "./res/audio/explosion05.mp3", "./res/audio/explosion06.mp3",
};
constexpr const char* kCheers[] = {"./res/audio/cheer1.wav", "./res/audio/cheer2.wav"};
constexpr const char* kJoinChime = "./res/audio/join.wav";  // a player joins the party
constexpr const char* kIntroClip = "./res/audio/Stompalong_introclip.mp3";
constexpr const char* kLoopClip = "./res/audio/Stompalong_clip.mp3";

// The menu entry's icon at each size, in the folders of the icon theme it is
// installed into (share/icons/hicolor/<size>x<size>/apps/stompalong.png); the
// game gives the same pictures to its window.
struct Icon {
  int size;          // pixels, square
  const char* path;
};
constexpr Icon kIcons[] = {
    {64, "./res/icons/64x64/stompalong.png"},
    {128, "./res/icons/128x128/stompalong.png"},
    {256, "./res/icons/256x256/stompalong.png"},
};

// The program's name, which its window's WM_CLASS also gives as the instance,
// and the window's class. The desktop ties the window to the menu entry by the
// class, which the entry names as StartupWMClass.
constexpr const char* kProgramName = "stompalong";
constexpr const char* kWindowClass = "Stompalong";

// The path below the resource folder ("images/floor.png"), for tools that
// write into another folder and tests that copy the tree.
constexpr const char* underResourceDir(const char* path) { return path + std::string_view(kResourceDir).size(); }
static_assert(std::string_view(kFloor).starts_with(kResourceDir));

// Behind the game screen: a muted olive brown, alpha 1.
struct Rgb8 {
  uint8_t r, g, b;
};
constexpr Rgb8 kSkyColour{151, 136, 91};

}  // namespace assets
