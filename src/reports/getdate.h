// getdate: asks the period for the report by date ("Введите даты периода") and runs it.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "reports/reportdialog.h"

namespace jurnal {

class GetDate final : public ReportDialog {
  Q_OBJECT
 public:
  explicit GetDate(ContextPtr context);
  QLineEdit* startEntry() const { return m_start; }
  QLineEdit* endEntry() const { return m_end; }

  // The entries' date format: day (padded with a blank), month, four-digit year separated by
  // "/" (" 1/03/2004"). A zero date shows the separators alone, or nothing with `emptyWhenZero`.
  static QString formatEntry(std::int32_t date, bool emptyWhenZero);
  // Day, month and year in that order, separated by any non-digits ("1.3.2004", " 1/03/2004",
  // "1-3-04"; two-digit years are 1950..2049), or eight digits ddmmyyyy. Blank or separators
  // alone are 0 (no date). Impossible dates (31.02) and other text: nullopt.
  static std::optional<std::int32_t> parseEntry(const QString& text);

 protected:
  QWidget* createWindow() override;
  void storeEntries() override;

 private:
  void storeEntry(QLineEdit* entry, std::int32_t& global, bool emptyWhenZero);

  QLineEdit* m_start = nullptr;
  QLineEdit* m_end = nullptr;
};

}  // namespace jurnal
