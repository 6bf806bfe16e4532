// Registers the report procedures and their parameter dialogs by name: "PrintJUR:INDEX",
// "PrintJUR:BAND_KEY", "PrintJUR:RADIO_KEY", "PrintJUR:DIPLOM_KEY", "GetRadio", "GetDiplom",
// "getdate".
#pragma once

namespace jurnal {

class ProcedureRegistry;

void registerReportProcedures(ProcedureRegistry& registry);

}  // namespace jurnal
