// Logical-thread bookkeeping.
#include "platform/context.h"

#include "core/threadfiles.h"

namespace jurnal {
namespace {
int g_live = 0;
int g_nextId = 1;
}  // namespace

Context::Context() : m_files(std::make_unique<ThreadFiles>()), m_id(g_nextId++) { ++g_live; }
Context::~Context() { --g_live; }
int Context::liveCount() { return g_live; }

}  // namespace jurnal
