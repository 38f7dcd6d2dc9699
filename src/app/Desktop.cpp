#include "app/Desktop.h"

#include <GL/glu.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
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

bool requestVSync() {
  if (hasGlxExtension("GLX_EXT_swap_control")) {
    auto swapInterval = glxFunction<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT");
    if (!swapInterval) return false;
    swapInterval(glXGetCurrentDisplay(), glXGetCurrentDrawable(), 1);
    return true;
  }
  if (hasGlxExtension("GLX_MESA_swap_control")) {
    auto swapInterval = glxFunction<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA");
    return swapInterval && swapInterval(1) == 0;
  }
  if (hasGlxExtension("GLX_SGI_swap_control")) {
    auto swapInterval = glxFunction<PFNGLXSWAPINTERVALSGIPROC>("glXSwapIntervalSGI");
    return swapInterval && swapInterval(1) == 0;
  }
  return false;
}

namespace {

// Dot clock over the pixels of a whole refresh, blanking included.
double modeHz(const XRRScreenResources& resources, RRMode mode) {
  for (int i = 0; i < resources.nmode; ++i) {
    const XRRModeInfo& info = resources.modes[i];
    if (info.id == mode && info.hTotal && info.vTotal)
      return static_cast<double>(info.dotClock) / (static_cast<double>(info.hTotal) * info.vTotal);
  }
  return 0;
}

double crtcHzAt(Display* display, XRRScreenResources& resources, int x, int y) {
  double hz = 0;
  for (int i = 0; i < resources.ncrtc && hz == 0; ++i) {
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, &resources, resources.crtcs[i]);
    if (!crtc) continue;
    bool shows = crtc->mode && x >= crtc->x && y >= crtc->y && x < crtc->x + static_cast<int>(crtc->width) &&
                 y < crtc->y + static_cast<int>(crtc->height);
    if (shows) hz = modeHz(resources, crtc->mode);
    XRRFreeCrtcInfo(crtc);
  }
  return hz;
}

}  // namespace

double displayRefreshHz() {
  Display* display = glXGetCurrentDisplay();
  Window window = glXGetCurrentDrawable();
  int event = 0, error = 0;
  if (!display || !window || !XRRQueryExtension(display, &event, &error)) return 0;
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes)) return 0;
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, attributes.root, attributes.width / 2, attributes.height / 2, &x, &y, &child);
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, attributes.root);
  if (!resources) return 0;
  double hz = crtcHzAt(display, *resources, x, y);
  XRRFreeScreenResources(resources);
  return hz;
}

bool windowManagerDoesFullScreen() {
  Display* display = glXGetCurrentDisplay();
  if (!display || rootAtoms(display, "_NET_SUPPORTING_WM_CHECK").empty()) return false;
  std::vector<Atom> supported = rootAtoms(display, "_NET_SUPPORTED");
  Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  return std::find(supported.begin(), supported.end(), fullScreen) != supported.end();
}
