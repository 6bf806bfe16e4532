// Registers the contact-entry procedures by name: the contact form, the settings dialog and
// the phonetic alphabet window.
#pragma once

namespace jurnal {
class ProcedureRegistry;
void registerEntryProcedures(ProcedureRegistry& registry);
}  // namespace jurnal
