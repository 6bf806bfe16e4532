// The about window "programm": title, version and release date, the project's name in place
// of a callsign, a picture of a transceiver, and the project's web and e-mail addresses.
#pragma once

#include "platform/procedure.h"

namespace jurnal {

class Programm final : public Procedure {
  Q_OBJECT
 public:
  explicit Programm(ContextPtr context);

 protected:
  QWidget* createWindow() override;
};

}  // namespace jurnal
