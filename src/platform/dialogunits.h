// Dialog units: window layouts are given in units of the window's font, a quarter of the
// font's average character width horizontally and an eighth of its height vertically.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace jurnal {

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);

  int x(int dlu) const;  // horizontal dialog units to pixels
  int y(int dlu) const;  // vertical dialog units to pixels
  QRect rect(int x, int y, int width, int height) const;
  QSize size(int width, int height) const { return {x(width), y(height)}; }

  int toDluX(int pixels) const;  // pixels back to dialog units (rounded)
  int toDluY(int pixels) const;

  double charWidth() const { return m_charWidth; }
  double charHeight() const { return m_charHeight; }

 private:
  double m_charWidth;
  double m_charHeight;
};

// The fonts that windows and reports ask for by name ("MS Sans Serif", "Arial", "Arial CYR")
// are drawn with Liberation Sans, which has Arial's metrics and Cyrillic letters.
void installFontSubstitutions();

// Dates and times in lists and reports follow the user's locale; where the system has none
// (the C or POSIX locale) they follow Russian conventions (dd.MM.yyyy), as the program does.
void installDisplayLocale();

// A font by the name and size the layouts give; bold/italic as asked.
QFont layoutFont(const QString& family, int points, bool bold = false, bool italic = false);

// Places a control at a rectangle in dialog units of `units`. A negative width or height means
// the control's own natural size.
void placeDlu(const DialogUnits& units, QWidget* control, int x, int y, int width = -1, int height = -1);

}  // namespace jurnal
