// The main routine: brings up the error manager, the file managers, the fuzzy matcher and the
// settings, runs the main frame until it closes, then saves the settings and takes everything
// down in reverse order.
#include <QApplication>

#include "core/filemanager.h"
#include "core/globals.h"
#include "core/threadfiles.h"
#include "frame/frameprocedures.h"
#include "frame/mainframe.h"
#include "platform/dialogunits.h"
#include "platform/errormanager.h"
#include "platform/inisections.h"
#include "platform/runtime.h"
#include "platform/systemsettings.h"
#if JURNAL_HAVE_BROWSE
#include "browse/browseprocedures.h"
#endif
#if JURNAL_HAVE_ENTRY
#include "entry/entryprocedures.h"
#endif
#if JURNAL_HAVE_REPORTS
#include "reports/reportprocedures.h"
#endif
#if JURNAL_HAVE_EXCHANGE
#include "exchange/exchangeprocedures.h"
#endif

using namespace jurnal;

namespace {
void registerProcedures(ProcedureRegistry& registry) {
  registerFrameProcedures(registry);
#if JURNAL_HAVE_BROWSE
  registerBrowseProcedures(registry);
#endif
#if JURNAL_HAVE_ENTRY
  registerEntryProcedures(registry);
#endif
#if JURNAL_HAVE_REPORTS
  registerReportProcedures(registry);
#endif
#if JURNAL_HAVE_EXCHANGE
  registerExchangeProcedures(registry);
#endif
}
}  // namespace

int main(int argc, char* argv[]) {
  // 1. The platform's run-time start. The program reads no argument of its own.
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  installFontSubstitutions();
  installDisplayLocale();

  // 2. Error manager.
  ErrorManager::instance().init();
  // 3. File managers of JURNAL, VIV, TXT, BONUS; nothing is opened here.
  for (FileId file : {FileId::Jurnal, FileId::Viv, FileId::Txt, FileId::Bonus}) FileManager::of(file);
  // 4. Fuzzy matcher: case-insensitive on, whole words off.
  FuzzyMatcher::instance().init();
  FuzzyMatcher::instance().setCaseInsensitive(true);
  FuzzyMatcher::instance().setWholeWordsOnly(false);
  // 5. Settings file: the six preserved globals.
  const std::string ini = iniFilePath().toStdString();
  loadPreserved(ini);
  // 6. Window contents while dragging: off for the run if it was on.
  const auto drag = DragFullWindowsSetting::system();
  const bool dragWasOn = drag->isOn();
  if (dragWasOn) drag->set(false);

  // 7. The main frame, until it has closed with all its child windows.
  registerProcedures(Runtime::instance().registry());
  {
    MainFrame frame;
    QObject::connect(&frame, &MainFrame::closed, &app, &QApplication::quit);
    frame.start();
    app.exec();
  }

  // 8. Preserved settings back into the settings file.
  savePreserved(ini);
  // 9. Dragging setting as it was.
  if (dragWasOn) drag->set(true);
  // 10. The INI manager's bookkeeping list.
  writeIniBookkeeping(ini);
  // 11. Fuzzy matcher.
  FuzzyMatcher::instance().release();
  // 12. File managers, in the order JURNAL, VIV, TXT, BONUS.
  FileManager::resetAll();
  // 13. Error manager; the program ends.
  ErrorManager::instance().release();
  return 0;
}
