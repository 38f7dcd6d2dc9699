#include "app/Desktop.h"

#include <GL/glu.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/Assets.h"
#include "media/PngImage.h"

namespace {

bool hasGlxExtension(const char* name) {
  Display* display = glXGetCurrentDisplay();
  const char* extensions = display ? glXQueryExtensionsString(display, DefaultScreen(display)) : nullptr;
  return extensions && gluCheckExtension(reinterpret_cast<const GLubyte*>(name), reinterpret_cast<const GLubyte*>(extensions));
}

template <typename Function>
Function glxFunction(const char* name) {
  return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

// The atoms of a root-window property, or none when it is missing.
std::vector<Atom> rootAtoms(Display* display, const char* property) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  Atom name = XInternAtom(display, property, False);
  Window root = DefaultRootWindow(display);
  if (XGetWindowProperty(display, root, name, 0, 4096, False, AnyPropertyType, &type, &format, &count, &remaining,
                         &data) != Success)
    return {};
  std::vector<Atom> atoms;
  if (data && format == 32) {
    const auto* values = reinterpret_cast<const unsigned long*>(data);  // Xlib hands 32-bit items as longs
    atoms.assign(values, values + count);
  }
  if (data) XFree(data);
  return atoms;
}

void setCardinals(Display* display, Window window, const char* property, const std::vector<unsigned long>& values) {
  XChangeProperty(display, window, XInternAtom(display, property, False), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
}

// _NET_WM_ICON: each picture's width and height, then its pixels as ARGB, one
// to an item, rows from the top. Pictures that do not load are left out.
std::vector<unsigned long> iconCardinals() {
  std::vector<unsigned long> values;
  for (const assets::Icon& icon : assets::kIcons) {
    PngImage picture;
    if (!picture.load(icon.path, false)) continue;
    values.push_back(static_cast<unsigned long>(picture.width));
    values.push_back(static_cast<unsigned long>(picture.height));
    for (size_t i = 0; i < picture.rgba.size(); i += 4) {
      const uint8_t* p = &picture.rgba[i];
      values.push_back(static_cast<unsigned long>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2]);
    }
  }
  return values;
}

}  // namespace

void identifyWindow() {
  Display* display = glXGetCurrentDisplay();
  Window window = glXGetCurrentDrawable();
  if (!display || !window) return;
  std::string instance = assets::kProgramName, windowClass = assets::kWindowClass;  // XClassHint takes char*
  XClassHint hint{instance.data(), windowClass.data()};
  XSetClassHint(display, window, &hint);
  setCardinals(display, window, "_NET_WM_PID", {static_cast<unsigned long>(getpid())});
  std::vector<unsigned long> icons = iconCardinals();
  if (!icons.empty()) setCardinals(display, window, "_NET_WM_ICON", icons);
  XFlush(display);
}

void requestVSync() {
  if (hasGlxExtension("GLX_EXT_swap_control")) {
    auto swapInterval = glxFunction<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT");
    if (swapInterval) swapInterval(glXGetCurrentDisplay(), glXGetCurrentDrawable(), 1);
  } else if (hasGlxExtension("GLX_MESA_swap_control")) {
    auto swapInterval = glxFunction<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA");
    if (swapInterval) swapInterval(1);
  } else if (hasGlxExtension("GLX_SGI_swap_control")) {
    auto swapInterval = glxFunction<PFNGLXSWAPINTERVALSGIPROC>("glXSwapIntervalSGI");
    if (swapInterval) swapInterval(1);
  }
}

bool windowManagerDoesFullScreen() {
  Display* display = glXGetCurrentDisplay();
  if (!display || rootAtoms(display, "_NET_SUPPORTING_WM_CHECK").empty()) return false;
  std::vector<Atom> supported = rootAtoms(display, "_NET_SUPPORTED");
  Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  return std::find(supported.begin(), supported.end(), fullScreen) != supported.end();
}
