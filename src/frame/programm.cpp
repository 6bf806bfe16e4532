// About window, 116 × 120 dialog units, not resizable, closed by its close box only.
#include "frame/programm.h"

#include <QDate>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include "frame/pictures.h"
#include "platform/dialogunits.h"
#include "version.h"

namespace jurnal {
namespace {
// The project's own name and addresses; no person is named.
constexpr const char* kCallsign = "JURNAL";
constexpr const char* kWeb = "git: jurnal";
constexpr const char* kMail = "jurnal@localhost";
}  // namespace

Programm::Programm(ContextPtr context) : Procedure(QStringLiteral("programm"), std::move(context)) {
  setPlacement(Placement::TopLevel);
  setResizable(false);
}

QWidget* Programm::createWindow() {
  auto* window = new QWidget;
  window->setWindowTitle(QString::fromUtf8("О программе"));
  const DialogUnits units(window->font());
  window->setFixedSize(units.size(116, 120));

  const auto label = [&](const char* name, const QString& text, int x, int y, int w, int h, const QFont& font) {
    auto* l = new QLabel(text, window);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(font);
    placeDlu(units, l, x, y, w, h);
    return l;
  };
  const QFont windowFont = window->font();
  label("STRING1", QString::fromUtf8("Журнал оператора"), 28, 1, 71, 12, windowFont);
  label("STRING2", QString::fromUtf8("Версия ") + QString::fromLatin1(JURNAL_VERSION), 41, 13, 39, 12, windowFont);
  const QDate released = QDate::fromString(QString::fromLatin1(JURNAL_RELEASE_DATE), Qt::ISODate);
  label("STRING6", QString::fromUtf8("от ") + released.toString(QStringLiteral("dd.MM.yyyy")), 39, 25, 39, 11,
        layoutFont(QStringLiteral("Arial CYR"), 9, true));
  QLabel* callsign = label("STRING3", QString::fromLatin1(kCallsign), 38, 38, -1, -1,
                           layoutFont(QStringLiteral("Arial"), 16, true));
  callsign->setStyleSheet(QStringLiteral("color: blue"));
  placeDlu(units, callsign, 38, 38);

  auto* image = new QLabel(window);
  image->setObjectName(QStringLiteral("IMAGE1"));
  image->setScaledContents(true);
  image->setPixmap(QPixmap::fromImage(transceiverPicture()));
  placeDlu(units, image, 26, 54, 64, 40);

  QLabel* web = label("STRING5", QString::fromLatin1(kWeb), 30, 97, -1, -1, layoutFont(QStringLiteral("Arial"), 8, true));
  placeDlu(units, web, 30, 97);
  QFont mailFont(QStringLiteral("Arial"));
  mailFont.setBold(true);
  QLabel* mail = label("STRING4", QString::fromLatin1(kMail), 35, 106, -1, -1, mailFont);
  placeDlu(units, mail, 35, 106);
  return window;
}

}  // namespace jurnal
