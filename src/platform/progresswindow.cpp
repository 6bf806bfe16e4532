// The progress window: controls placed in dialog units of its font, objectName = label.
#include "platform/progresswindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "platform/dialogunits.h"

namespace jurnal {

ProgressWindow::ProgressWindow(const Texts& texts, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("PROGRESSWINDOW"));
  setFont(layoutFont(QStringLiteral("MS Sans Serif"), 8));
  const DialogUnits du(font());
  setWindowTitle(texts.caption);
  setFixedSize(du.size(142, 59));

  m_thermometer = new QProgressBar(this);
  m_thermometer->setObjectName(QStringLiteral("PROGRESS:THERMOMETER"));
  m_thermometer->setRange(0, 100);
  m_thermometer->setValue(0);
  m_thermometer->setTextVisible(false);
  placeDlu(du, m_thermometer, 15, 15, 111, 12);

  m_userString = new QLabel(this);
  m_userString->setObjectName(QStringLiteral("PROGRESS:USERSTRING"));
  m_userString->setAlignment(Qt::AlignCenter);
  placeDlu(du, m_userString, 0, 3, 141, 10);

  m_pctText = new QLabel(this);
  m_pctText->setObjectName(QStringLiteral("PROGRESS:PCTTEXT"));
  m_pctText->setAlignment(Qt::AlignCenter);
  placeDlu(du, m_pctText, 0, 30, 141, 10);

  m_cancel = new QPushButton(texts.cancel, this);
  m_cancel->setObjectName(QStringLiteral("PROGRESS:CANCEL"));
  placeDlu(du, m_cancel, 45, texts.cancelY, 50, 15);
  m_cancel->setDefault(true);
  connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::cancelRequested);

  // The thermometer is the first control; the button takes the keyboard.
  setFocusProxy(m_cancel);
  centre();
}

void ProgressWindow::setCancelText(const QString& text) { m_cancel->setText(text); }

void ProgressWindow::setUserString(const QString& text) { m_userString->setText(text); }

void ProgressWindow::setPercent(int percent) {
  m_thermometer->setValue(percent);
  m_pctText->setText(QString::number(percent) + QStringLiteral("% Complete"));
}

void ProgressWindow::resetProgress() {
  m_thermometer->setValue(0);
  m_pctText->clear();
}

int ProgressWindow::percent() const { return m_thermometer->value(); }

QString ProgressWindow::percentText() const { return m_pctText->text(); }

void ProgressWindow::centre() {
  QRect area;
  if (parentWidget()) {
    area = parentWidget()->window()->geometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) move(area.center() - QPoint(width() / 2, height() / 2));
}

void ProgressWindow::closeQuietly() {
  m_closingQuietly = true;
  close();
  m_closingQuietly = false;
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  if (m_closingQuietly) {
    event->accept();
    return;
  }
  // A close from outside (Alt+F4) is a request to cancel; the run closes the window itself.
  event->ignore();
  emit cancelRequested();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    emit cancelRequested();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace jurnal
