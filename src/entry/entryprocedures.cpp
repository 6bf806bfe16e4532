// The contact-entry procedure table.
#include "entry/entryprocedures.h"

#include "entry/phonetics.h"
#include "entry/setings.h"
#include "entry/updatejurnal.h"
#include "platform/runtime.h"

namespace jurnal {

void registerEntryProcedures(ProcedureRegistry& registry) {
  registry.add(QStringLiteral("UpdateJurnal"), [](ContextPtr context) { return new UpdateJurnal(std::move(context)); });
  registry.add(QStringLiteral("setings"), [](ContextPtr context) { return new Setings(std::move(context)); });
  registry.add(QStringLiteral("phonetics"), [](ContextPtr context) { return new Phonetics(std::move(context)); });
}

}  // namespace jurnal
