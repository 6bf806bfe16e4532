// XKB calls of the X11 keyboard-layout backend; without X11 in the build, open() gives null.
#include "platform/keyboardlayoutx11.h"

#ifdef JURNAL_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace jurnal {

#ifdef JURNAL_HAVE_X11
namespace {
Display* dpy(void* d) { return static_cast<Display*>(d); }
}  // namespace

std::unique_ptr<KeyboardLayoutX11> KeyboardLayoutX11::open(const std::string& displayName) {
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  int reason = 0;
  Display* d = XkbOpenDisplay(displayName.empty() ? nullptr : const_cast<char*>(displayName.c_str()), nullptr,
                              nullptr, &major, &minor, &reason);
  if (!d) return nullptr;
  return std::unique_ptr<KeyboardLayoutX11>(new KeyboardLayoutX11(d));
}

KeyboardLayoutX11::~KeyboardLayoutX11() {
  if (m_display) XCloseDisplay(dpy(m_display));
}

int KeyboardLayoutX11::activeGroup() {
  XkbStateRec state{};
  if (XkbGetState(dpy(m_display), XkbUseCoreKbd, &state) != Success) return -1;
  return state.group;
}

std::vector<std::string> KeyboardLayoutX11::layoutCodes() {
  std::vector<std::string> codes;
  Display* d = dpy(m_display);
  const Atom names = XInternAtom(d, "_XKB_RULES_NAMES", True);
  if (names == None) return codes;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(d, DefaultRootWindow(d), names, 0, 1024, False, XA_STRING, &type, &format, &count, &after,
                         &data) != Success || !data)
    return codes;
  // Zero-separated: rules, model, layout, variant, options. The layouts are comma-separated.
  std::vector<std::string> parts;
  std::string part;
  for (unsigned long i = 0; i < count; ++i) {
    if (data[i] == 0) {
      parts.push_back(part);
      part.clear();
    } else {
      part.push_back(static_cast<char>(data[i]));
    }
  }
  parts.push_back(part);
  XFree(data);
  if (parts.size() < 3) return codes;
  std::string code;
  for (char c : parts[2] + ",") {
    if (c == ',') {
      codes.push_back(code);
      code.clear();
    } else {
      code.push_back(c);
    }
  }
  return codes;
}

int KeyboardLayoutX11::groupCount() {
  int n = 0;
  if (XkbDescPtr desc = XkbAllocKeyboard()) {
    if (XkbGetControls(dpy(m_display), XkbGroupsWrapMask, desc) == Success && desc->ctrls)
      n = desc->ctrls->num_groups;
    XkbFreeKeyboard(desc, 0, True);
  }
  if (n <= 0) n = static_cast<int>(layoutCodes().size());
  return n;
}

std::string KeyboardLayoutX11::activeName() {
  const int group = activeGroup();
  if (group < 0) return {};
  const std::vector<std::string> codes = layoutCodes();
  if (static_cast<std::size_t>(group) >= codes.size()) return {};
  return identifierOfLayoutCode(codes[static_cast<std::size_t>(group)]);
}

void KeyboardLayoutX11::activateNext() {
  const int group = activeGroup();
  const int n = groupCount();
  if (group < 0 || n <= 1) return;
  XkbLockGroup(dpy(m_display), XkbUseCoreKbd, static_cast<unsigned int>((group + 1) % n));
  // The lock must reach the server before the next key arrives or the next read.
  XSync(dpy(m_display), False);
}

#else

std::unique_ptr<KeyboardLayoutX11> KeyboardLayoutX11::open(const std::string&) { return nullptr; }
KeyboardLayoutX11::~KeyboardLayoutX11() = default;
int KeyboardLayoutX11::activeGroup() { return -1; }
std::vector<std::string> KeyboardLayoutX11::layoutCodes() { return {}; }
int KeyboardLayoutX11::groupCount() { return 0; }
std::string KeyboardLayoutX11::activeName() { return {}; }
void KeyboardLayoutX11::activateNext() {}

#endif

}  // namespace jurnal
