// A keyboard-layout backend held in memory, for tests: a list of installed layouts, the
// active one, and a count of the steps taken.
#pragma once

#include <string>
#include <vector>

#include "platform/keyboardlayout.h"

namespace jurnal {

class KeyboardLayoutFake final : public KeyboardLayout {
 public:
  // Installed layouts by identifier, in the system's order; the first is active.
  explicit KeyboardLayoutFake(std::vector<std::string> installed = {kLayoutEnglish, kLayoutRussian});

  std::string activeName() override;
  void activateNext() override;

  // Makes the layout at `index` active, as the operator switching by hand would.
  void setActive(std::size_t index);
  std::size_t activeIndex() const { return m_active; }
  int steps() const { return m_steps; }
  void resetSteps() { m_steps = 0; }

 private:
  std::vector<std::string> m_installed;
  std::size_t m_active = 0;
  int m_steps = 0;
};

}  // namespace jurnal
