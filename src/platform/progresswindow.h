// The progress window of long jobs (reports, export, import): a thermometer, a user string,
// the "N% Complete" text and a Cancel button, 142 x 59 dialog units, centred, without a
// close box. Escape and the window manager's close both mean Cancel.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace jurnal {

class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  struct Texts {
    QString caption = QStringLiteral("Progress...");
    QString cancel = QStringLiteral("Cancel");
    int cancelY = 42;  // dialog units; 38 in the frequency report's window
  };

  explicit ProgressWindow(const Texts& texts, QWidget* parent = nullptr);
  ProgressWindow() : ProgressWindow(Texts{}) {}

  void setCaption(const QString& caption) { setWindowTitle(caption); }
  void setCancelText(const QString& text);
  void setUserString(const QString& text);
  // Thermometer value and the text "N% Complete"; the text stays empty until the first call.
  void setPercent(int percent);
  // Empties the percentage text and sets the thermometer to 0.
  void resetProgress();

  int percent() const;
  QString percentText() const;
  QProgressBar* thermometer() const { return m_thermometer; }
  QPushButton* cancelButton() const { return m_cancel; }

  // Centres the window on its parent or on the primary screen.
  void centre();
  // Closes without asking to cancel (end of run).
  void closeQuietly();

 signals:
  void cancelRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QProgressBar* m_thermometer;
  QLabel* m_userString;
  QLabel* m_pctText;
  QPushButton* m_cancel;
  bool m_closingQuietly = false;
};

}  // namespace jurnal
