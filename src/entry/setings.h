// The settings dialog "setings": the station clock's offset from UTC and the automatic
// keyboard switching, written straight into their globals (kept in the settings file at
// shutdown). OK and Cancel both just close: nothing is undone.
#pragma once

#include <QWidget>

#include "platform/procedure.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace jurnal {

class Setings final : public Procedure {
  Q_OBJECT
 public:
  explicit Setings(ContextPtr context);

 protected:
  QWidget* createWindow() override;

 private:
  void acceptOffset();
  void switchClicked(bool ticked);
  void showSwitch();

  QLineEdit* m_offset = nullptr;
  QCheckBox* m_switch = nullptr;
  QLabel* m_switchText = nullptr;
};

}  // namespace jurnal
