#include "render/Render.h"

#include <GL/gl.h>

namespace {

bool shortcutsAllowed = true;
bool fillShortcuts[] = {true, true, true};  // by FillShortcut
PassObserver passObserver = nullptr;
PassFilter passFilter = nullptr;
bool passDrawn = true;  // the latest marked pass's, by the filter
WindowSize window;  // pixels, as of the latest valid resize

void enable(GLenum cap, bool on) {
  if (on)
    glEnable(cap);
  else
    glDisable(cap);
}

}  // namespace

void setTexturing(bool texture, bool blend) {
  enable(GL_TEXTURE_2D, texture);
  enable(GL_BLEND, blend);
  enable(GL_ALPHA_TEST, blend);
}

void setDepthTest(bool on) { enable(GL_DEPTH_TEST, on); }

void setOpaqueTexturing(bool opaquePicture) { setTexturing(true, !(opaquePicture && shortcutsAllowed)); }

void allowStateShortcuts(bool allow) { shortcutsAllowed = allow; }
void observePasses(PassObserver observer) { passObserver = observer; }
void markPass(const char* pass) {
  if (passObserver) passObserver(pass);
  passDrawn = !passFilter || passFilter(pass);
}
void filterPasses(PassFilter drawn) {
  passFilter = drawn;
  passDrawn = true;
}

void allowFillShortcut(FillShortcut shortcut, bool allow) { fillShortcuts[static_cast<int>(shortcut)] = allow; }
bool fillShortcutAllowed(FillShortcut shortcut) { return fillShortcuts[static_cast<int>(shortcut)]; }
void setClearColor(float r, float g, float b) { glClearColor(r, g, b, 1.0f); }

unsigned newTexture(int width, int height, const void* rgba, bool repeat) {
  // Clamping to the edge texel: GL_CLAMP would blend the border colour into the
  // outermost texels and draw a dark fringe round every picture.
  GLint wrap = repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE;
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return texture;
}

void bindTexture(unsigned texture) { glBindTexture(GL_TEXTURE_2D, texture); }
void callList(unsigned list) {
  if (passDrawn) glCallList(list);
}
void setColor(float r, float g, float b, float a) {
  glColor4f(r, g, b, a);
  bool white = r == 1 && g == 1 && b == 1 && a == 1;
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, white && shortcutsAllowed ? GL_REPLACE : GL_MODULATE);
}
void translate(float x, float y, float z) { glTranslatef(x, y, z); }
void rotate(float angleDegrees, float x, float y, float z) { glRotatef(angleDegrees, x, y, z); }
void scale(float x, float y, float z) { glScalef(x, y, z); }
void pushMatrix() { glPushMatrix(); }
void popMatrix() { glPopMatrix(); }
void loadIdentity() { glLoadIdentity(); }

void fillRect(float left, float bottom, float right, float top) {
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  glVertex2f(left, bottom);
  glVertex2f(right, bottom);
  glVertex2f(right, top);
  glVertex2f(left, top);
  glEnd();
  glEnable(GL_TEXTURE_2D);
}

void fillTriangle(float x0, float y0, float x1, float y1, float x2, float y2) {
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_TRIANGLES);
  glVertex2f(x0, y0);
  glVertex2f(x1, y1);
  glVertex2f(x2, y2);
  glEnd();
  glEnable(GL_TEXTURE_2D);
}

void overlayBegin(float left, float right, float bottom, float top) {
  glPushMatrix();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(left, right, bottom, top, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();

  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.0f);
  glColor4f(1, 1, 1, 1);
  glDisable(GL_DEPTH_TEST);

  glPushMatrix();  // the caller's own transforms are dropped by overlayEnd
}

void overlayEnd() {
  glPopMatrix();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void setWindowSize(int width, int height) {
  if (width > 0 && height > 0) window = {width, height};
}

WindowSize windowSize() { return window; }

void pixelOverlayBegin(float* outWidth, float* outHeight) {
  auto width = static_cast<float>(window.width), height = static_cast<float>(window.height);
  overlayBegin(0, width, 0, height);
  if (outWidth) *outWidth = width;
  if (outHeight) *outHeight = height;
}

void setStartupGlState() {
  glShadeModel(GL_SMOOTH);
  glPolygonMode(GL_FRONT, GL_FILL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_CULL_FACE);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glClearDepth(1.0);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_DEPTH_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);  // blending itself stays off until a pass wants it
  glAlphaFunc(GL_GREATER, 0.0f);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
}
