// The phonetic alphabet window "phonetics": for each Latin letter the spelling word of
// English, German and French radio practice. Fixed text only; it opens to view.
#pragma once

#include <QWidget>

#include "platform/procedure.h"

namespace jurnal {

class Phonetics final : public Procedure {
  Q_OBJECT
 public:
  explicit Phonetics(ContextPtr context);

  // The 28 lines as the window shows them, top to bottom (UTF-8).
  static const char* const kLines[28];

 protected:
  QWidget* createWindow() override;
  void windowOpened() override;
};

}  // namespace jurnal
