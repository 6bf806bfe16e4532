// Choice of the keyboard-layout backend.
#include "platform/keyboardlayout.h"

#include <QGuiApplication>
#include <memory>

#include "platform/keyboardlayoutnull.h"
#include "platform/keyboardlayoutx11.h"

namespace jurnal {
namespace {
KeyboardLayout* g_override = nullptr;
}  // namespace

KeyboardLayout& KeyboardLayout::current() {
  if (g_override) return *g_override;
  // Opened once, on first use, and kept for the run.
  static std::unique_ptr<KeyboardLayout> backend = []() -> std::unique_ptr<KeyboardLayout> {
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
      if (auto x11 = KeyboardLayoutX11::open()) return x11;
    return std::make_unique<KeyboardLayoutNull>();
  }();
  return *backend;
}

void KeyboardLayout::setCurrent(KeyboardLayout* backend) { g_override = backend; }

std::string KeyboardLayout::identifierOfLayoutCode(const std::string& code) {
  if (code == "us") return kLayoutEnglish;
  if (code == "ru") return kLayoutRussian;
  return {};
}

}  // namespace jurnal
