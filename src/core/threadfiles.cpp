// Per-thread record buffers and open state.
#include "core/threadfiles.h"

#include "core/bonusfile.h"
#include "core/jurnalfile.h"

namespace jurnal {

ThreadFiles::ThreadFiles() {
  jurnal.clear();
  bonus.clear();
  viv.clear();
  txt.clear();
}

ThreadFiles::~ThreadFiles() {
  // Files still open when the thread ends are closed with it.
  for (auto& s : m_slots)
    if (s.driver) s.driver->close();
}

JurnalFile* ThreadFiles::jurnalFile() const {
  const Slot& s = slot(FileId::Jurnal);
  return s.openCount > 0 ? dynamic_cast<JurnalFile*>(s.driver.get()) : nullptr;
}

BonusFile* ThreadFiles::bonusFile() const {
  const Slot& s = slot(FileId::Bonus);
  return s.openCount > 0 ? dynamic_cast<BonusFile*>(s.driver.get()) : nullptr;
}

}  // namespace jurnal
