// Dialog-unit conversion from font metrics, and the font substitutions.
#include "platform/dialogunits.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLocale>
#include <QWidget>
#include <cmath>

namespace jurnal {

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetricsF metrics(font);
  // Average width of the 52 Latin letters, the usual basis of dialog units.
  m_charWidth = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0;
  m_charHeight = metrics.height();
}

int DialogUnits::x(int dlu) const { return static_cast<int>(std::lround(dlu * m_charWidth / 4.0)); }
int DialogUnits::y(int dlu) const { return static_cast<int>(std::lround(dlu * m_charHeight / 8.0)); }

QRect DialogUnits::rect(int left, int top, int width, int height) const {
  return QRect(x(left), y(top), x(width), y(height));
}

int DialogUnits::toDluX(int pixels) const { return static_cast<int>(std::lround(pixels * 4.0 / m_charWidth)); }
int DialogUnits::toDluY(int pixels) const { return static_cast<int>(std::lround(pixels * 8.0 / m_charHeight)); }

void installFontSubstitutions() {
  for (const char* name : {"MS Sans Serif", "Arial", "Arial CYR"}) {
    QFont::insertSubstitution(QString::fromLatin1(name), QStringLiteral("Liberation Sans"));
  }
}

void installDisplayLocale() {
  const QLocale system = QLocale::system();
  if (system.language() == QLocale::C) QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  else QLocale::setDefault(system);
}

QFont layoutFont(const QString& family, int points, bool bold, bool italic) {
  QFont font(family);
  font.setPointSize(points);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

void placeDlu(const DialogUnits& units, QWidget* control, int x, int y, int width, int height) {
  const QSize natural = control->sizeHint();
  int w = width < 0 ? natural.width() : units.x(width);
  // A text is never cut: the layouts were drawn for narrower fonts than the ones we have.
  if (auto* label = qobject_cast<QLabel*>(control); label && !label->text().isEmpty()) w = std::max(w, natural.width());
  const int h = height < 0 ? natural.height() : units.y(height);
  control->setGeometry(units.x(x), units.y(y), w, h);
}

}  // namespace jurnal
