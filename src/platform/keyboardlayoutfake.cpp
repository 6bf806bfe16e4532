// In-memory keyboard layouts for tests.
#include "platform/keyboardlayoutfake.h"

namespace jurnal {

KeyboardLayoutFake::KeyboardLayoutFake(std::vector<std::string> installed) : m_installed(std::move(installed)) {}

std::string KeyboardLayoutFake::activeName() {
  return m_active < m_installed.size() ? m_installed[m_active] : std::string();
}

void KeyboardLayoutFake::activateNext() {
  ++m_steps;
  if (!m_installed.empty()) m_active = (m_active + 1) % m_installed.size();
}

void KeyboardLayoutFake::setActive(std::size_t index) {
  if (index < m_installed.size()) m_active = index;
}

}  // namespace jurnal
