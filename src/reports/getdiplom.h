// GetDiplom: asks the diploma for the report by diploma ("Введите диплом") and runs it.
#pragma once

#include "reports/reportdialog.h"

namespace jurnal {

class GetDiplom final : public ReportDialog {
  Q_OBJECT
 public:
  explicit GetDiplom(ContextPtr context);
  QLineEdit* entry() const { return m_entry; }

 protected:
  QWidget* createWindow() override;
  void storeEntries() override;

 private:
  QLineEdit* m_entry = nullptr;
};

}  // namespace jurnal
