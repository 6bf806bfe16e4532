// The text exchange feature's entries in the procedure registry.
#include "exchange/exchangeprocedures.h"

#include "exchange/vyvod.h"
#include "exchange/zagruzka.h"
#include "platform/runtime.h"

namespace jurnal {

void registerExchangeProcedures(ProcedureRegistry& registry) {
  registry.add(QStringLiteral("Vyvod"), [](ContextPtr context) { return new Vyvod(std::move(context)); });
  registry.add(QStringLiteral("zagruzka"), [](ContextPtr context) { return new Zagruzka(std::move(context)); });
}

}  // namespace jurnal
