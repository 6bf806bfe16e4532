// The report feature's entries in the procedure registry.
#include "reports/reportprocedures.h"

#include "platform/runtime.h"
#include "reports/getdate.h"
#include "reports/getdiplom.h"
#include "reports/getradio.h"
#include "reports/journalreport.h"

namespace jurnal {

void registerReportProcedures(ProcedureRegistry& registry) {
  const auto report = [&registry](ReportDefinition (*definition)()) {
    const QString name = definition().name;
    registry.add(name, [definition](ContextPtr context) { return new JournalReport(definition(), std::move(context)); });
  };
  report(&printJurIndex);
  report(&printJurBandKey);
  report(&printJurRadioKey);
  report(&printJurDiplomKey);
  registry.add(QStringLiteral("GetRadio"), [](ContextPtr c) { return new GetRadio(std::move(c)); });
  registry.add(QStringLiteral("GetDiplom"), [](ContextPtr c) { return new GetDiplom(std::move(c)); });
  registry.add(QStringLiteral("getdate"), [](ContextPtr c) { return new GetDate(std::move(c)); });
}

}  // namespace jurnal
