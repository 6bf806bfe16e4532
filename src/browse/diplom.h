// Diplom, the window «Диплом»: the points total of every diploma as BONUS holds them, one row
// per diploma in case-insensitive name order, the sums with a comma between thousands. A typed
// letter steps through the names that begin with it. Read-only; called by the journal window
// right after it has rebuilt the totals.
#pragma once

#include <QPointer>
#include <QString>

#include "platform/browsemanager.h"
#include "platform/procedure.h"

namespace jurnal {

class BrowseManager;
struct BonusRecord;
struct BrowseRow;

class Diplom final : public Procedure {
  Q_OBJECT
 public:
  explicit Diplom(ContextPtr context);
  ~Diplom() override;

  BrowseManager* browse() const { return m_browse; }

  // 12345 -> "12,345", -1234 -> "-1,234", 0 -> "0".
  static QString sumText(int sum);
  static void fillRow(const BonusRecord& rec, BrowseRow& row);

 protected:
  bool openFiles() override;
  void closeFiles() override;
  QWidget* createWindow() override;
  void windowOpened() override;

 private:
  QPointer<BrowseManager> m_browse;
  bool m_bonusOpen = false;
  bool m_jurnalOpen = false;
};

}  // namespace jurnal
