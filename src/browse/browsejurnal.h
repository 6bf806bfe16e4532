// BrowseJurnal, the window «Журнал»: the contact log in six key orders on the tabs of a sheet,
// narrowed by a typed selection key on the frequency, callsign, location and diploma tabs and
// searched incrementally on the date and points tabs; the remark and QSL state of the
// highlighted contact under the list; insert, change and delete through the contact form;
// the RADIO and CQ switches; F5 rebuilds the diploma totals and opens «Диплом». Each window
// runs on a logical thread of its own, so two of them keep separate positions.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QTabWidget>
#include <QTableView>
#include <functional>

#include "platform/browsemanager.h"
#include "platform/procedure.h"

namespace jurnal {

struct JurnalRecord;

class BrowseJurnal final : public Procedure {
  Q_OBJECT
 public:
  explicit BrowseJurnal(ContextPtr context);
  ~BrowseJurnal() override;

  BrowseManager* browse() const { return m_browse; }

  // The row values of one contact (the row-fill rule): 13 column texts, then as extras the
  // full remark, the sent-card text and the received-card text.
  static void fillRow(const JurnalRecord& rec, BrowseRow& row);
  // Order index (0-based registration order) for a tab of the sheet.
  static int orderForTab(int tab);

  // F5: rebuilds BONUS and calls «Диплом».
  void showDiplomas();

 protected:
  bool openFiles() override;
  void closeFiles() override;
  QWidget* createWindow() override;
  void windowOpened() override;

 private:
  void showHighlighted();
  void showSelectionKey(const QString& text);
  void listEmptied(bool empty);
  void callForm(int request, std::function<void(int)> done);

  QPointer<BrowseManager> m_browse;
  QPointer<QTabWidget> m_sheet;
  QPointer<QTableView> m_list;
  QPointer<QLabel> m_remark, m_sent, m_received;
  QList<QWidget*> m_keyWidgets[6];  // per tab: its "Ключ выборки:" text and display field
  QLabel* m_keyFields[6] = {};
  bool m_jurnalOpen = false;
  bool m_bonusHeld = false;
};

}  // namespace jurnal
