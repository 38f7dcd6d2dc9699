#include "FrameFigures.h"

#define GL_GLEXT_PROTOTYPES  // occlusion queries, core since OpenGL 1.5
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "GameDriver.h"
#include "Measure.h"
#include "app/App.h"
#include "core/Assets.h"
#include "media/Texture.h"
#include "objects/Camera.h"
#include "objects/VictimCrowd.h"
#include "render/Render.h"

namespace bench {

namespace {

constexpr int kRounds = 3;
constexpr int kFramesPerRound = 200;  // of each kind
constexpr int kBlock = 10;            // frames of each kind in a row that go to one round
constexpr int kFullHdWidth = 1920, kFullHdHeight = 1080;  // pixels

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

// Each of the game's passes as that many full-window layers, with its own
// texture, blending, alpha test and texture environment.
void texturedFrame(const std::vector<PassLayers>& passes) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  overlayBegin(0, 1, 0, 1);
  for (const PassLayers& pass : passes) {
    bindTexture(pass.texture);
    setTexturing(pass.texture != 0, pass.blended);
    if (!pass.alphaTested) glDisable(GL_ALPHA_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, pass.environment);
    drawLayers(pass.layers);
  }
  overlayEnd();
  glutSwapBuffers();
}

// The pass being counted: its fragments go to one query, begun as it starts.
struct PassCounter {
  GLuint query = 0, shownQuery = 0;
  std::vector<PassLayers> passes;  // the latest scene's, in the order first seen
  PassLayers* current = nullptr;
};
PassCounter counter;

// Every counted scene's layers, summed pass by pass, for the averages printed.
struct LayerTally {
  std::vector<PassLayers> passes;
  double shown = 0;  // layers that reached the window
  int scenes = 0;
};
LayerTally tally;

PassLayers& passNamed(std::vector<PassLayers>& passes, const std::string& name) {
  for (PassLayers& pass : passes)
    if (pass.name == name) return pass;
  passes.push_back({name});
  return passes.back();
}

// Ends the running pass's query, keeping the state the pass drew with.
void endPass() {
  if (!counter.current) return;
  glEndQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
  GLuint64 fragments = 0;
  glGetQueryObjectui64v(counter.query, GL_QUERY_RESULT, &fragments);
  PassLayers& pass = *counter.current;
  pass.layers += static_cast<double>(fragments) / windowPixels();
  GLint texture = 0, environment = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
  if (fragments > 0) {  // a pass that drew nothing leaves its state unread
    pass.texture = glIsEnabled(GL_TEXTURE_2D) ? static_cast<unsigned>(texture) : 0;
    pass.blended = glIsEnabled(GL_BLEND);
    pass.alphaTested = glIsEnabled(GL_ALPHA_TEST);
    pass.environment = environment;
  }
  counter.current = nullptr;
}

void startPass(const char* name) {
  endPass();
  counter.current = &passNamed(counter.passes, name);
  glBeginQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB, counter.query);
}

void startCounting() {
  if (!counter.query) {
    glGenQueries(1, &counter.query);
    glGenQueries(1, &counter.shownQuery);
  }
  counter.passes.clear();
  counter.passes.reserve(32);  // pointers into it stay good
  tally = {};
}

// The scene as the game last drew it, drawn again untimed and not updated,
// each pass's fragments (each one shaded, textured and blended, or thrown away
// by the alpha test where a picture is see-through) counted: the layers that
// the references of the same turn draw. The floor's copy is up to date by
// then, so its pass counts nothing.
void countScene() {
  for (PassLayers& pass : counter.passes) pass.layers = 0;
  observePasses(startPass);
  glBeginQuery(GL_SAMPLES_PASSED, counter.shownQuery);
  startPass("frame");
  App::instance().render();
  endPass();
  glEndQuery(GL_SAMPLES_PASSED);
  observePasses(nullptr);
  GLuint64 shown = 0;
  glGetQueryObjectui64v(counter.shownQuery, GL_QUERY_RESULT, &shown);
  for (const PassLayers& pass : counter.passes) passNamed(tally.passes, pass.name).layers += pass.layers;
  tally.shown += static_cast<double>(shown) / windowPixels();
  ++tally.scenes;
}

double sceneLayers() {
  double layers = 0;
  for (const PassLayers& pass : counter.passes) layers += pass.layers;
  return layers;
}

// Each pass's layers over the scenes counted, the frame's in all (shaded) and
// those that reached the window (shown).
void reportLayers(const std::string& suffix) {
  double shaded = 0;
  for (const PassLayers& pass : tally.passes) {
    double layers = pass.layers / tally.scenes;
    shaded += layers;
    report("frame_layers_" + pass.name + suffix, layers, "layers");
  }
  report("frame_layers_shaded" + suffix, shaded, "layers");
  report("frame_layers_shown" + suffix, tally.shown / tally.scenes, "layers");
}

// The game's frame as its loop runs it, events pumped first; then, untimed,
// its scene counted for the references that follow it in the turn.
FrameKind gameKind(const std::string& name, Script& script) {
  return {name,
          [&script] {
            script.beforeFrame();
            pumpEvents();
            gameFrame();
          },
          countScene};
}

}  // namespace

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
      if (kind.after) kind.after();
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

void measureFrames() {
  Script script(kFigureStompEvery);
  startCounting();
  // The game's frame opens each turn, so the references after it fill the
  // layers of the scene it drew. Blocks of frames go to the rounds in turn, so
  // all four see the same stretch of the game: their spread is the machine's.
  std::vector<FrameKind> kinds = {
      gameKind("frame", script),
      {"frame_bare", bareFrame},
      {"ref_flat", [] { flatFrame(sceneLayers()); }},
      {"ref_textured", [] { texturedFrame(counter.passes); }},
  };
  double live = 0, corpses = 0;
  timeInterleaved(kinds, [&] {
    live += victimCrowd.live().size();
    corpses += victimCrowd.corpses().size();
  });
  reportLayers("");
  const FrameKind& game = kinds[0];
  const FrameKind& bare = kinds[1];
  const FrameKind& textured = kinds[3];
  reportRatio("frame_ratio_cpu", "frame_ratio_wall", game, bare);
  reportRatio("frame_vs_textured_ref", "frame_vs_textured_ref_wall", game, textured);
  double frames = kRounds * kFramesPerRound;
  report("game_victims_mean", live / frames, "victims");
  report("game_splatters_mean", corpses / frames, "splatters");
}

namespace {

// The scene's passes, floor and skyline first, which a set may leave out; the
// rest (the floor's copy, off the window; the score and the indicators) are
// always drawn.
const std::vector<std::string> kScenePasses = {passes::kFloor,   passes::kSkyline,     passes::kSplatter,
                                               passes::kShadows, passes::kFootShadows, passes::kVictims,
                                               passes::kFeet};

struct PassSet {
  std::string name;
  std::vector<std::string> drawn;  // of the scene's passes
};
const PassSet* drawnSet = nullptr;

bool contains(const std::vector<std::string>& names, const char* pass) {
  return std::find(names.begin(), names.end(), pass) != names.end();
}

bool drawnPass(const char* pass) { return !contains(kScenePasses, pass) || contains(drawnSet->drawn, pass); }

}  // namespace

void measurePasses() {
  const std::vector<std::string> sprites(kScenePasses.begin() + 2, kScenePasses.end());
  const PassSet sets[] = {{"floor", {passes::kFloor}},
                          {"skyline", {passes::kSkyline}},
                          {"sprites", sprites},
                          {"floor_skyline", {passes::kFloor, passes::kSkyline}},
                          {"all", kScenePasses},
                          {"none", {}}};
  Script script(kFigureStompEvery);
  startCounting();
  filterPasses(drawnPass);
  // Every set in each turn, each game frame a step of the one game, so all
  // sets see the same stretch of it.
  std::vector<FrameKind> kinds;
  for (const PassSet& set : sets) {
    FrameKind game = gameKind("passes_" + set.name, script);
    game.frame = [&set, step = game.frame] {
      drawnSet = &set;
      step();
    };
    kinds.push_back(game);
    kinds.push_back({"ref_passes_" + set.name, [] { texturedFrame(counter.passes); }});
  }
  double live = 0;
  timeInterleaved(kinds, [&] { live += victimCrowd.live().size(); });
  filterPasses(nullptr);
  // What the passes add to the frame with none of them, over what they add to
  // its reference: the game's update and the score drop out.
  const FrameKind &noneGame = kinds[kinds.size() - 2], &noneRef = kinds.back();
  for (size_t i = 0; i + 2 < kinds.size(); i += 2) {
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round)
      ratios.push_back((kinds[i].cpuRounds[round] - noneGame.cpuRounds[round]) /
                       (kinds[i + 1].cpuRounds[round] - noneRef.cpuRounds[round]));
    report("passes_vs_textured_ref_" + sets[i / 2].name, spreadOf(ratios), "x");
  }
  report("passes_victims_mean", live / (kRounds * kFramesPerRound), "victims");
}

void measureFullHd() {
  resizeWindow(kFullHdWidth, kFullHdHeight);  // a wider window shows more of the skyline
  Script script(kFigureStompEvery);
  startCounting();
  std::vector<FrameKind> kinds = {gameKind("frame_1080", script),
                                  {"frame_bare_1080", bareFrame},
                                  {"ref_textured_1080", [] { texturedFrame(counter.passes); }}};
  timeInterleaved(kinds);
  reportLayers("_1080");
  report("frame_wall_ms_1080", spreadOf(kinds[0].wallRounds), "ms");
  reportRatio("frame_vs_textured_ref_1080", "frame_vs_textured_ref_1080_wall", kinds[0], kinds[2]);
  resizeWindow(kWindowWidth, kWindowHeight);
}

}  // namespace bench
