// LookContact, «Browse the Jurnal File»: the earlier contacts of the callsign in Glo:RadioLook
// (letter case ignored), in the order they were added. However the window closes, it hands
// back the location and operator of the highlighted contact in Glo:LookQTH and
// Glo:LookOperator; with no earlier contact it hands back the caller's own values from the
// thread's JURNAL buffer, so the form keeps what it had.
#pragma once

#include <QPointer>

#include "platform/browsemanager.h"
#include "platform/procedure.h"

namespace jurnal {

struct JurnalRecord;

class LookContact final : public Procedure {
  Q_OBJECT
 public:
  explicit LookContact(ContextPtr context);
  ~LookContact() override;

  BrowseManager* browse() const { return m_browse; }

  // Nine column texts, then as extras the stored location and operator (Windows-1251 bytes
  // kept as Latin-1 so they pass back unchanged).
  static void fillRow(const JurnalRecord& rec, BrowseRow& row);

 protected:
  bool openFiles() override;
  void closeFiles() override;
  QWidget* createWindow() override;
  void windowOpened() override;
  void aboutToEnd() override;

 private:
  QPointer<BrowseManager> m_browse;
  bool m_jurnalOpen = false;
};

}  // namespace jurnal
