// Report parameter dialogs: common window set-up and the OK / cancel steps.
#include "reports/reportdialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

#include "core/globals.h"
#include "platform/dialogunits.h"
#include "platform/runtime.h"

namespace jurnal {

ReportDialog::ReportDialog(const QString& name, const QString& reportName, ContextPtr context)
    : Procedure(name, std::move(context)), m_reportName(reportName) {
  setResizable(false);
  // No system menu, so no close box: the dialog ends through its two buttons.
  setCloseBox(false);
  setCloseResponse(Response::Cancelled);
}

QWidget* ReportDialog::newWindow(const QString& caption, int width, int height) {
  auto* window = new QWidget;
  window->setWindowTitle(caption);
  window->setFont(layoutFont(QStringLiteral("MS Sans Serif"), 8));
  window->setFixedSize(DialogUnits(window->font()).size(width, height));
  return window;
}

QPushButton* ReportDialog::addButton(QWidget* window, const char* name, const QString& text, int x, int y, int w,
                                     int h) {
  auto* button = new QPushButton(text, window);
  button->setObjectName(QString::fromLatin1(name));
  placeDlu(DialogUnits(window->font()), button, x, y, w, h);
  return button;
}

void ReportDialog::connectButtons(QWidget* window, QPushButton* ok, QPushButton* cancel,
                                  const QList<QLineEdit*>& entries) {
  m_ok = ok;
  m_cancel = cancel;
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &ReportDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &ReportDialog::reject);
  for (QLineEdit* entry : entries) connect(entry, &QLineEdit::returnPressed, this, &ReportDialog::accept);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  connect(escape, &QShortcut::activated, this, &ReportDialog::reject);
}

void ReportDialog::accept() {
  if (!isRunning() || m_reportRunning) return;
  storeEntries();
  m_reportRunning = true;
  QPointer<ReportDialog> self(this);
  Runtime::instance().call(this, m_reportName, [self](int) {
    if (!self) return;
    self->m_reportRunning = false;
    self->finish(Response::Completed);
  });
}

void ReportDialog::reject() {
  if (!isRunning() || m_reportRunning) return;
  finish(Response::Cancelled);
}

}  // namespace jurnal
