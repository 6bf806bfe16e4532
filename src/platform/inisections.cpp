// Reading and writing window sections entry by entry through the profile functions.
#include "platform/inisections.h"

#include <QWidget>

#include "core/profile.h"
#include "platform/dialogunits.h"

namespace jurnal {
namespace {

QString g_iniPath = QStringLiteral("./config.ini");

std::string fetch(const QString& section, const char* key) {
  return getProfileString(g_iniPath.toStdString(), section.toStdString(), key);
}

void update(const QString& section, const char* key, const QString& value) {
  writeProfileString(g_iniPath.toStdString(), section.toStdString(), key, value.toStdString());
}

bool readInt(const QString& section, const char* key, int* out) {
  const std::string text = fetch(section, key);
  if (text.empty()) return false;
  bool ok = false;
  const int value = QString::fromStdString(text).trimmed().toInt(&ok);
  if (ok) *out = value;
  return ok;
}

}  // namespace

QString iniFilePath() { return g_iniPath; }
void setIniFilePath(const QString& path) { g_iniPath = path; }

void fetchWindow(const QString& section, QWidget* window, bool resizable) {
  const std::string maximize = fetch(section, "Maximize");
  if (maximize != "Yes" && maximize != "No") return;
  const DialogUnits units(window->font());
  int x = 0, y = 0;
  if (readInt(section, "XPos", &x) && readInt(section, "YPos", &y)) {
    window->move(units.x(x), units.y(y));
    int width = 0, height = 0;
    if (resizable && readInt(section, "Width", &width) && readInt(section, "Height", &height)) {
      window->resize(units.x(width), units.y(height));
    }
  }
  if (maximize == "Yes") window->showMaximized();
  else if (window->isMaximized()) window->showNormal();
}

void updateWindow(const QString& section, QWidget* window, bool resizable) {
  if (window->isMinimized()) return;
  const bool maximized = window->isMaximized();
  update(section, "Maximize", maximized ? QStringLiteral("Yes") : QStringLiteral("No"));
  if (maximized) return;
  const DialogUnits units(window->font());
  update(section, "XPos", QString::number(units.toDluX(window->x())));
  update(section, "YPos", QString::number(units.toDluY(window->y())));
  if (resizable) {
    update(section, "Height", QString::number(units.toDluY(window->height())));
    update(section, "Width", QString::number(units.toDluX(window->width())));
  }
}

}  // namespace jurnal
