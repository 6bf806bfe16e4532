// Operating-system settings the program touches: the setting that shows window contents while
// they are dragged, switched off for the run and restored at the end. Where the system has no
// such setting (Linux desktops), it reads as off and nothing is changed.
#pragma once

#include <memory>

namespace jurnal {

class DragFullWindowsSetting {
 public:
  virtual ~DragFullWindowsSetting() = default;
  virtual bool isOn() const = 0;
  virtual void set(bool on) = 0;

  static std::unique_ptr<DragFullWindowsSetting> system();
};

// The fuzzy text matcher the start-up sets up and the shutdown releases; no window uses it.
class FuzzyMatcher {
 public:
  static FuzzyMatcher& instance();
  void init() { m_ready = true; }
  void setCaseInsensitive(bool on) { m_caseInsensitive = on; }
  void setWholeWordsOnly(bool on) { m_wholeWords = on; }
  void release() { m_ready = false; }
  bool ready() const { return m_ready; }

 private:
  bool m_ready = false;
  bool m_caseInsensitive = false;
  bool m_wholeWords = false;
};

}  // namespace jurnal
