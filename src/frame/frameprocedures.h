// Registers the frame's own procedures (the about window) by name.
#pragma once

namespace jurnal {
class ProcedureRegistry;
void registerFrameProcedures(ProcedureRegistry& registry);
}  // namespace jurnal
