// jurnal-cli report date|band|radio|diplom ... --pdf FILE: prints one of the four journal
// reports of the log in the working directory to a PDF file, headless, with the same walk,
// layout and rendering as the program's print preview. An empty selection: "No Records" on
// stderr and exit status 1.
#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "cli/clicommand.h"
#include "core/globals.h"
#include "core/threadfiles.h"
#include "core/win1251.h"
#include "platform/dialogunits.h"
#include "platform/errormanager.h"
#include "platform/reportengine.h"
#include "reports/getdate.h"
#include "reports/reportrun.h"

namespace jurnal::cli {
namespace {

struct ReportArgs {
  std::string kind, from, to, radio, diplom, pdf;
  bool haveFrom = false, haveTo = false, haveRadio = false, haveDiplom = false;
};

bool parseArgs(const std::vector<std::string>& args, ReportArgs& out) {
  if (args.empty()) return false;
  out.kind = args[0];
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (i + 1 == args.size()) return false;
    const std::string& key = args[i];
    const std::string& value = args[++i];
    if (key == "--from") out.from = value, out.haveFrom = true;
    else if (key == "--to") out.to = value, out.haveTo = true;
    else if (key == "--radio") out.radio = value, out.haveRadio = true;
    else if (key == "--diplom") out.diplom = value, out.haveDiplom = true;
    else if (key == "--pdf") out.pdf = value;
    else return false;
  }
  if (out.pdf.empty()) return false;
  if (out.kind == "date") return out.haveFrom && out.haveTo && !out.haveRadio && !out.haveDiplom;
  if (out.kind == "band") return !out.haveFrom && !out.haveTo && !out.haveRadio && !out.haveDiplom;
  if (out.kind == "radio") return out.haveRadio && !out.haveFrom && !out.haveTo && !out.haveDiplom;
  if (out.kind == "diplom") return out.haveDiplom && !out.haveFrom && !out.haveTo && !out.haveRadio;
  return false;
}

void printMessages() {
  for (const auto& m : ErrorManager::instance().takeMessages())
    std::fprintf(stderr, "%s: %s\n", m.title.toUtf8().constData(), m.text.toUtf8().constData());
}

}  // namespace

int runReport(const std::vector<std::string>& args) {
  ReportArgs a;
  if (!parseArgs(args, a)) return kExitUsage;

  Globals& g = globals();
  ReportDefinition definition;
  if (a.kind == "date") {
    const auto from = GetDate::parseEntry(QString::fromStdString(a.from));
    const auto to = GetDate::parseEntry(QString::fromStdString(a.to));
    if (!from || !to) {
      std::fprintf(stderr, "jurnal-cli report: a date is day.month.year, such as 1.03.2004\n");
      return kExitUsage;
    }
    g.date = *from;
    g.date2 = *to;
    definition = printJurIndex();
  } else if (a.kind == "band") {
    definition = printJurBandKey();
  } else if (a.kind == "radio") {
    const std::string radio = utf8ToCp1251(a.radio);
    if (radio.size() > FixedText<12>::width()) {
      std::fprintf(stderr, "jurnal-cli report: a callsign has at most 12 characters\n");
      return kExitUsage;
    }
    g.radio.set(radio);
    definition = printJurRadioKey();
  } else {
    g.setDiplom(utf8ToCp1251(a.diplom));
    definition = printJurDiplomKey();
  }

  // Fonts and PDF output need the GUI library, not a screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "jurnal-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  installFontSubstitutions();
  installDisplayLocale();
  ErrorManager& errors = ErrorManager::instance();
  errors.init();
  errors.setCaptureMode(true);  // no message boxes: messages go to stderr

  ThreadFiles files;
  const HeadlessReport report = runReportHeadless(definition, files);
  printMessages();
  switch (report.outcome) {
    case ProcessManager::Outcome::Completed:
      break;
    case ProcessManager::Outcome::NoRecords:
      std::fprintf(stderr, "No Records\n");
      return kExitFailed;
    default:
      std::fprintf(stderr, "jurnal-cli report: the log could not be read\n");
      return kExitFailed;
  }
  const QString pdf = QString::fromLocal8Bit(a.pdf.c_str());
  if (!ReportEngine::renderToPdf(pdf, report.pages, definition.name)) {
    std::fprintf(stderr, "jurnal-cli report: cannot write %s\n", a.pdf.c_str());
    return kExitFailed;
  }
  std::printf("%lld contacts, %d pages: %s\n", static_cast<long long>(report.records),
              static_cast<int>(report.pages.size()), a.pdf.c_str());
  return kExitOk;
}

}  // namespace jurnal::cli
