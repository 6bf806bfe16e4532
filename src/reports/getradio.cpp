// GetRadio, 185 x 49 dialog units, placed by the system. The entry takes up to 12 characters
// and GLO:RADIO keeps all of them: a callsign of 11 or 12 characters (UA3ABC/MM) must stay
// selectable.
#include "reports/getradio.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/globals.h"
#include "core/win1251.h"
#include "platform/dialogunits.h"

namespace jurnal {

GetRadio::GetRadio(ContextPtr context)
    : ReportDialog(QStringLiteral("GetRadio"), QStringLiteral("PrintJUR:RADIO_KEY"), std::move(context)) {
  setPlacement(Placement::MdiChild);
}

QWidget* GetRadio::createWindow() {
  QWidget* window = newWindow(QStringLiteral("Окно ввода"), 185, 49);
  const DialogUnits du(window->font());
  auto* prompt = new QLabel(QStringLiteral("Позывной"), window);
  prompt->setObjectName(QStringLiteral("GLO:RADIO:PROMPT"));
  placeDlu(du, prompt, 25, 19, 38, 14);
  m_entry = new QLineEdit(window);
  m_entry->setObjectName(QStringLiteral("GLO:RADIO"));
  m_entry->setMaxLength(12);
  m_entry->setText(QString::fromStdString(cp1251ToUtf8(globals().radio.trimmed())));
  placeDlu(du, m_entry, 73, 19, 60, 10);
  connect(m_entry, &QLineEdit::editingFinished, this, &GetRadio::storeEntries);
  QPushButton* ok = addButton(window, "OKBUTTON", QStringLiteral("OK"), 144, 10, 35, 14);
  QPushButton* cancel = addButton(window, "CANCELBUTTON", QStringLiteral("Cancel"), 144, 28, 36, 14);
  connectButtons(window, ok, cancel, {m_entry});
  QWidget::setTabOrder(m_entry, ok);
  QWidget::setTabOrder(ok, cancel);
  m_entry->setFocus();
  window->setFocusProxy(m_entry);
  return window;
}

void GetRadio::storeEntries() {
  if (m_entry) globals().radio.set(utf8ToCp1251(m_entry->text().toStdString()));
}

}  // namespace jurnal
