// Registers the text exchange procedures (Vyvod, zagruzka) by name.
#pragma once

namespace jurnal {
class ProcedureRegistry;
void registerExchangeProcedures(ProcedureRegistry& registry);
}  // namespace jurnal
