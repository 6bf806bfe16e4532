// The journal browsing feature's entries in the procedure registry.
#include "browse/browseprocedures.h"

#include "browse/browsejurnal.h"
#include "browse/diplom.h"
#include "browse/lookcontact.h"
#include "platform/runtime.h"

namespace jurnal {

void registerBrowseProcedures(ProcedureRegistry& registry) {
  registry.add(QStringLiteral("BrowseJurnal"), [](ContextPtr c) { return new BrowseJurnal(std::move(c)); });
  registry.add(QStringLiteral("Diplom"), [](ContextPtr c) { return new Diplom(std::move(c)); });
  registry.add(QStringLiteral("LookContact"), [](ContextPtr c) { return new LookContact(std::move(c)); });
}

}  // namespace jurnal
