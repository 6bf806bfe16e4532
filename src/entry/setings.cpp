// The settings dialog, 282 × 126 dialog units, not resizable.
#include "entry/setings.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "core/globals.h"
#include "core/win1251.h"
#include "platform/dialogunits.h"

namespace jurnal {

Setings::Setings(ContextPtr context) : Procedure(QStringLiteral("setings"), std::move(context)) {
  setPlacement(Placement::MdiChild);
  setResizable(false);
}

QWidget* Setings::createWindow() {
  auto* window = new QWidget;
  window->setWindowTitle(QString::fromUtf8("Настройки"));
  window->setFont(layoutFont(QStringLiteral("MS Sans Serif"), 8));
  const DialogUnits units(window->font());
  window->setFixedSize(units.size(282, 126));

  const auto panel = [&](const char* name, int x, int y, int w, int h) {
    auto* f = new QFrame(window);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    placeDlu(units, f, x, y, w, h);
  };
  const auto label = [&](const char* name, const QString& text, int x, int y, int w, int h) {
    auto* l = new QLabel(text, window);
    l->setObjectName(QString::fromLatin1(name));
    placeDlu(units, l, x, y, w, h);
    return l;
  };

  panel("PANEL1", 9, 7, 267, 22);
  label("GLO:UTSEDIT:PROMPT", QString::fromUtf8("Отклонение от  UTC"), 18, 13, 117, 12);
  m_offset = new QLineEdit(window);
  m_offset->setObjectName(QStringLiteral("GLO:UTSEDIT"));
  m_offset->setMaxLength(3);
  m_offset->setText(QString::fromStdString(cp1251ToUtf8(globals().utsEdit.trimmed())));
  placeDlu(units, m_offset, 182, 13, 23, 10);
  connect(m_offset, &QLineEdit::editingFinished, this, &Setings::acceptOffset);
  label("STRING1", QString::fromUtf8("Пример ( -3 ) часа"), 212, 14, 63, 11);

  panel("PANEL2", 9, 29, 267, 22);
  QLabel* switchPrompt = label("STRING2", QString::fromUtf8("Автоматическое переключение языка"), 18, 34, 153, 13);
  switchPrompt->setFont(layoutFont(QStringLiteral("Arial"), 8));
  m_switch = new QCheckBox(window);
  m_switch->setObjectName(QStringLiteral("GLO:SWKBD"));
  m_switch->setChecked(isOn(globals().swkbd));
  placeDlu(units, m_switch, 183, 34, 9, 10);
  connect(m_switch, &QCheckBox::clicked, this, &Setings::switchClicked);
  m_switchText = label("GLO:SWKBD:2", QString(), 199, 34, 16, 10);
  showSwitch();

  auto* ok = new QPushButton(QStringLiteral("OK"), window);
  ok->setObjectName(QStringLiteral("OKBUTTON"));
  placeDlu(units, ok, 189, 108, 35, 14);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), window);
  cancel->setObjectName(QStringLiteral("CANCELBUTTON"));
  placeDlu(units, cancel, 241, 108, 36, 14);
  // Pressing either button accepts the entry being left, then closes; nothing is undone.
  for (QPushButton* button : {ok, cancel})
    connect(button, &QPushButton::clicked, this, [this] {
      acceptOffset();
      requestClose();
    });

  QWidget::setTabOrder(m_offset, m_switch);
  QWidget::setTabOrder(m_switch, ok);
  QWidget::setTabOrder(ok, cancel);
  m_offset->setFocus();
  return window;
}

void Setings::acceptOffset() {
  if (m_offset) globals().utsEdit.set(utf8ToCp1251(m_offset->text().toStdString()));
}

void Setings::switchClicked(bool ticked) {
  globals().swkbd.set(ticked ? "ON" : "OFF");
  showSwitch();
}

void Setings::showSwitch() {
  m_switchText->setText(QString::fromStdString(cp1251ToUtf8(globals().swkbd.trimmed())));
}

}  // namespace jurnal
