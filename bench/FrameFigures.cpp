#include "FrameFigures.h"

#define GL_GLEXT_PROTOTYPES  // occlusion queries, core since OpenGL 1.5
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "GameDriver.h"
#include "Measure.h"
#include "core/Assets.h"
#include "media/Texture.h"
#include "objects/Camera.h"
#include "objects/VictimCrowd.h"
#include "render/Render.h"

namespace bench {

namespace {

constexpr int kLayerFrames = 120;
constexpr int kRounds = 3;
constexpr int kFramesPerRound = 200;  // of each kind
constexpr int kBlock = 10;            // frames of each kind in a row that go to one round
constexpr int kStompEvery = 40;       // frames: a gentle script keeps the wave near full

double windowPixels() {
  const Camera& camera = Camera::instance();
  return static_cast<double>(camera.windowWidth()) * camera.windowHeight();
}

void bareFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glutSwapBuffers();
}

// Whole window-covering quads, and one covering the fraction left over.
void drawLayers(double layers) {
  glBegin(GL_QUADS);
  for (double left = layers; left > 0; left -= 1) {
    float top = static_cast<float>(std::min(left, 1.0));
    glTexCoord2f(0, 1);
    glVertex2f(0, 0);
    glTexCoord2f(1, 1);
    glVertex2f(1, 0);
    glTexCoord2f(1, 1 - top);
    glVertex2f(1, top);
    glTexCoord2f(0, 1 - top);
    glVertex2f(0, top);
  }
  glEnd();
}

// The game's layers untextured and opaque: the cheapest pixels the renderer fills.
void flatFrame(double layers) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  overlayBegin(0, 1, 0, 1);
  setTexturing(false, false);
  setColor(0.5f, 0.5f, 0.5f, 1);
  drawLayers(layers);
  overlayEnd();
  glutSwapBuffers();
}

// The game's layers as the floor draws its pixels: its texture, blended.
void texturedFrame(double layers) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  overlayBegin(0, 1, 0, 1);
  bindTexture(TextureRegistry::instance().getTexture(assets::kFloor, 0));
  drawLayers(layers);
  overlayEnd();
  glutSwapBuffers();
}

}  // namespace

double measureLayers() {
  // Fragments rasterised (each one shaded, textured and blended or thrown away
  // by the alpha test where a picture is see-through), and those of them that
  // reach the window.
  const GLenum targets[] = {GL_FRAGMENT_SHADER_INVOCATIONS_ARB, GL_SAMPLES_PASSED};
  GLuint queries[2] = {};
  glGenQueries(2, queries);
  double counts[2] = {};
  Script script(kStompEvery);
  for (int i = 0; i < kLayerFrames; ++i) {
    script.beforeFrame();
    pumpEvents();
    for (int q = 0; q < 2; ++q) glBeginQuery(targets[q], queries[q]);
    gameFrame();
    for (int q = 0; q < 2; ++q) {
      glEndQuery(targets[q]);
      GLuint64 count = 0;
      glGetQueryObjectui64v(queries[q], GL_QUERY_RESULT, &count);
      counts[q] += static_cast<double>(count);
    }
  }
  glDeleteQueries(2, queries);
  double rasterised = counts[0] / kLayerFrames / windowPixels();
  report("frame_layers", rasterised, "layers");
  report("frame_layers_shown", counts[1] / kLayerFrames / windowPixels(), "layers");
  return rasterised;
}

void timeInterleaved(std::vector<FrameKind>& kinds, const std::function<void()>& afterEachTurn) {
  for (FrameKind& kind : kinds) {
    kind.cpuMs.assign(kRounds, {});
    kind.wallMs.assign(kRounds, {});
  }
  for (int i = 0; i < kRounds * kFramesPerRound; ++i) {
    int round = (i / kBlock) % kRounds;
    for (FrameKind& kind : kinds) {
      FrameCost cost = timeFrame(kind.frame);
      kind.cpuMs[round].push_back(cost.cpuMs);
      kind.wallMs[round].push_back(cost.wallMs);
    }
    if (afterEachTurn) afterEachTurn();
  }
  for (FrameKind& kind : kinds) {
    kind.cpuRounds.clear();
    kind.wallRounds.clear();
    for (int round = 0; round < kRounds; ++round) {
      kind.cpuRounds.push_back(median(kind.cpuMs[round]));
      kind.wallRounds.push_back(median(kind.wallMs[round]));
    }
    report(kind.name + "_cpu_ms", spreadOf(kind.cpuRounds), "ms");
    report(kind.name + "_wall_ms", spreadOf(kind.wallRounds), "ms");
  }
}

void reportRatio(const char* cpuName, const char* wallName, const FrameKind& over, const FrameKind& under) {
  std::vector<double> cpu, wall;
  for (int round = 0; round < kRounds; ++round) {
    cpu.push_back(over.cpuRounds[round] / under.cpuRounds[round]);
    wall.push_back(over.wallRounds[round] / under.wallRounds[round]);
  }
  report(cpuName, spreadOf(cpu), "x");
  report(wallName, spreadOf(wall), "x");
}

void measureFrames(double layers) {
  Script script(kStompEvery);
  std::vector<FrameKind> kinds = {
      {"frame_bare", bareFrame},
      {"ref_flat", [layers] { flatFrame(layers); }},
      {"ref_textured", [layers] { texturedFrame(layers); }},
      {"frame", [&script] {  // the game's: as its loop runs it, events pumped first
         script.beforeFrame();
         pumpEvents();
         gameFrame();
       }},
  };
  // Blocks of frames go to the rounds in turn, so all four see the same
  // stretch of the game: their spread is the machine's, not the scene's.
  double live = 0, corpses = 0;
  timeInterleaved(kinds, [&] {
    live += victimCrowd.live().size();
    corpses += victimCrowd.corpses().size();
  });
  const FrameKind& bare = kinds[0];
  const FrameKind& textured = kinds[2];
  const FrameKind& game = kinds[3];
  reportRatio("frame_ratio_cpu", "frame_ratio_wall", game, bare);
  reportRatio("frame_vs_textured_ref", "frame_vs_textured_ref_wall", game, textured);
  double frames = kRounds * kFramesPerRound;
  report("game_victims_mean", live / frames, "victims");
  report("game_splatters_mean", corpses / frames, "splatters");
}

}  // namespace bench
