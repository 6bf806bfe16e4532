// The journal browsing feature's entries in the procedure registry.
#pragma once

namespace jurnal {

class ProcedureRegistry;

// Registers "BrowseJurnal", "Diplom" and "LookContact".
void registerBrowseProcedures(ProcedureRegistry& registry);

}  // namespace jurnal
