// Test main for the Qt layers: one QApplication for the whole run, offscreen.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/dialogunits.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  jurnal::installFontSubstitutions();
  jurnal::installDisplayLocale();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
