// The frame's procedure table.
#include "frame/frameprocedures.h"

#include "frame/programm.h"
#include "platform/runtime.h"

namespace jurnal {

void registerFrameProcedures(ProcedureRegistry& registry) {
  registry.add(QStringLiteral("programm"), [](ContextPtr context) { return new Programm(std::move(context)); });
}

}  // namespace jurnal
