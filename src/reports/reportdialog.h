// What the three report parameter dialogs share: window font and placement, OK runs the
// report on the dialog's own thread and closes the dialog when it returns, the cancel button
// and Escape close it without a report. Values reach their globals when an entry is left.
#pragma once

#include <QPointer>
#include <QPushButton>

#include "platform/procedure.h"

class QLineEdit;


namespace jurnal {

class ReportDialog : public Procedure {
  Q_OBJECT

 public:
  ReportDialog(const QString& name, const QString& reportName, ContextPtr context);

  const QString& reportName() const { return m_reportName; }
  QPushButton* okButton() const { return m_ok; }
  QPushButton* cancelButton() const { return m_cancel; }

  // OK: store the entries, run the report and wait for it, then close.
  void accept();
  // Cancel / Выход: close without a report.
  void reject();

 protected:
  // Copies every entry's text into its global (the entry was left).
  virtual void storeEntries() = 0;

  // A new window in the dialogs' font ("MS Sans Serif" 8).
  QWidget* newWindow(const QString& caption, int width, int height);
  QPushButton* addButton(QWidget* window, const char* name, const QString& text, int x, int y, int w, int h);
  // Buttons, Enter in an entry (OK) and Escape (cancel).
  void connectButtons(QWidget* window, QPushButton* ok, QPushButton* cancel, const QList<QLineEdit*>& entries);

 private:
  QString m_reportName;
  QPointer<QPushButton> m_ok;
  QPointer<QPushButton> m_cancel;
  bool m_reportRunning = false;
};

}  // namespace jurnal
