// The contact form "UpdateJurnal": one contact of the JURNAL buffer of the caller's thread
// entered, changed, shown or deleted. It fills in a new contact's defaults, carries the CQ
// frequency in CQ mode, opens the contact history lookup for a callsign in RADIO mode,
// switches the input language per field and restores a field from the last saved contact on
// Ctrl+'.
#pragma once

#include <QPointer>
#include <array>

#include "core/records.h"
#include <QWidget>

#include "platform/procedure.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace jurnal {

class UpdateJurnal final : public Procedure {
  Q_OBJECT
 public:
  explicit UpdateJurnal(ContextPtr context);

  // The run's recall record back to blanks, as at the start of the program (tests).
  static void clearRecallRecord();

 protected:
  bool openFiles() override;
  void closeFiles() override;
  QWidget* createWindow() override;
  void windowOpened() override;
  bool queryClose() override;

 private:
  // The thirteen data controls in their order on the form.
  enum Field { Date, Uts, Band, Radio, Rss, Rsr, Qth, Operator, Diplom, Bonus, Remarks, QlsSend, QslRes, kFieldCount };

  JurnalRecord& record() const;
  // Focus, leaving and key events of the data controls and the Save button.
  bool controlEvent(QObject* watched, QEvent* event);
  int fieldOf(QObject* control) const;
  void display(int field);
  void displayAll();
  // Puts the control's content into the field of `rec`, unless it still shows what the form
  // put there (so an entry narrower than its field never cuts a value it did not edit).
  void collect(int field, JurnalRecord& rec) const;
  void accept(int field);
  void focusEntered(int field);
  void recall(int field);
  void startLookup();
  void refreshStatus();
  void save();
  void focusFirstField();

  JurnalRecord m_snapshot{};   // the record as it came in, against which Cancel decides
  bool m_okFlag = false;       // Save has had the focus: the callsign no longer opens the lookup
  bool m_lookupRunning = false;
  bool m_jurnalOpen = false;

  std::array<QWidget*, kFieldCount> m_controls{};
  std::array<QString, kFieldCount> m_shown;  // what each control was last given to show
  QTabWidget* m_tabs = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
  QLabel* m_utsEdit = nullptr;
  QLabel* m_cq = nullptr;
  QLabel* m_kbd = nullptr;
  QLabel* m_band = nullptr;
  QTimer* m_statusTimer = nullptr;
  QObject* m_controlEvents = nullptr;
};

}  // namespace jurnal
