// The Linux stand-in for the dragging setting: there is nothing to read or change.
#include "platform/systemsettings.h"

namespace jurnal {
namespace {
class NoDragSetting final : public DragFullWindowsSetting {
 public:
  bool isOn() const override { return false; }
  void set(bool) override {}
};
}  // namespace

std::unique_ptr<DragFullWindowsSetting> DragFullWindowsSetting::system() { return std::make_unique<NoDragSetting>(); }

FuzzyMatcher& FuzzyMatcher::instance() {
  static FuzzyMatcher matcher;
  return matcher;
}

}  // namespace jurnal
