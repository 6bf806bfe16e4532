// GetDiplom, 116 x 55 dialog units, centred. Up to 20 characters are typed and GLO:DIPLOM
// keeps all of them, as many as a contact's diploma holds.
#include "reports/getdiplom.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/globals.h"
#include "core/win1251.h"
#include "platform/dialogunits.h"

namespace jurnal {

GetDiplom::GetDiplom(ContextPtr context)
    : ReportDialog(QStringLiteral("GetDiplom"), QStringLiteral("PrintJUR:DIPLOM_KEY"), std::move(context)) {
  setCentered(true);
}

QWidget* GetDiplom::createWindow() {
  QWidget* window = newWindow(QStringLiteral("Введите диплом"), 116, 55);
  const DialogUnits du(window->font());
  m_entry = new QLineEdit(window);
  m_entry->setObjectName(QStringLiteral("GLO:DIPLOM"));
  m_entry->setMaxLength(20);
  m_entry->setText(QString::fromStdString(cp1251ToUtf8(globals().diplom)));
  placeDlu(du, m_entry, 13, 12, 91, 11);
  connect(m_entry, &QLineEdit::editingFinished, this, &GetDiplom::storeEntries);
  QPushButton* ok = addButton(window, "OKBUTTON", QStringLiteral("ОК"), 20, 32, 30, 15);
  QPushButton* cancel = addButton(window, "CANCELBUTTON", QStringLiteral("Выход"), 65, 32, 30, 15);
  connectButtons(window, ok, cancel, {m_entry});
  QWidget::setTabOrder(m_entry, ok);
  QWidget::setTabOrder(ok, cancel);
  m_entry->setFocus();
  window->setFocusProxy(m_entry);
  return window;
}

void GetDiplom::storeEntries() {
  if (m_entry) globals().setDiplom(utf8ToCp1251(m_entry->text().toStdString()));
}

}  // namespace jurnal
