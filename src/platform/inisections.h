// Window sections of the settings file: each window keeps its position, size and maximised
// state under a section named after its procedure. Keys in the order Maximize, XPos, YPos,
// Height, Width; positions and sizes in dialog units of the window's font.
#pragma once

#include <QString>

class QWidget;

namespace jurnal {

// The settings file, "./config.ini" unless a test points elsewhere.
QString iniFilePath();
void setIniFilePath(const QString& path);

// Restores a window from its section: nothing when "Maximize" is neither "Yes" nor "No";
// otherwise the position (and, for a resizable window, the size) when "XPos" is present, then
// the maximised or normal state.
void fetchWindow(const QString& section, QWidget* window, bool resizable);

// Saves a window into its section; nothing at all when the window is minimised.
void updateWindow(const QString& section, QWidget* window, bool resizable);

}  // namespace jurnal
