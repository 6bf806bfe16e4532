// GetRadio: asks the callsign for the report by callsign ("Окно ввода") and runs it.
#pragma once

#include "reports/reportdialog.h"

namespace jurnal {

class GetRadio final : public ReportDialog {
  Q_OBJECT
 public:
  explicit GetRadio(ContextPtr context);
  QLineEdit* entry() const { return m_entry; }

 protected:
  QWidget* createWindow() override;
  void storeEntries() override;

 private:
  QLineEdit* m_entry = nullptr;
};

}  // namespace jurnal
