// Reading the contact log for a browse list.
#include "platform/browsejurnalview.h"

#include <limits>

#include "core/jurnalfile.h"
#include "core/threadfiles.h"

namespace jurnal {

BrowseJurnalView::BrowseJurnalView(ThreadFiles& files, std::vector<JurSelection> orders, RowFill rowFill)
    : m_files(files), m_orders(std::move(orders)), m_rowFill(std::move(rowFill)) {
  if (m_orders.empty()) m_orders.push_back({});
  m_sel = m_orders.front();
}

void BrowseJurnalView::setOrder(int order) {
  if (order < 0 || order >= orderCount()) order = 0;
  m_order = order;
  m_sel = m_orders[static_cast<std::size_t>(order)];
}

void BrowseJurnalView::setSelectionKey(const std::string& cp1251Key) {
  m_sel.prefix = cp1251Key;
}

bool BrowseJurnalView::textKey() const { return jurKeyStorage(m_sel.key).text; }

std::vector<BrowseRow> BrowseJurnalView::read(const std::optional<JurPosition>& from, bool inclusive,
                                              bool forward, int limit) {
  std::vector<BrowseRow> rows;
  JurnalFile* file = m_files.jurnalFile();
  if (!file || limit <= 0) return rows;
  const std::vector<JurnalRow> read = file->read(m_sel, from, inclusive, forward, limit);
  rows.reserve(read.size());
  for (const JurnalRow& r : read) {
    BrowseRow row;
    row.position = positionOf(m_sel.key, r);
    if (m_rowFill) m_rowFill(r.rec, row);
    rows.push_back(std::move(row));
  }
  return rows;
}

bool BrowseJurnalView::reload(std::int64_t id) {
  JurnalFile* file = m_files.jurnalFile();
  if (!file) return false;
  const std::optional<JurnalRecord> rec = file->fetch(id);
  if (!rec) return false;
  m_files.jurnal = *rec;
  m_files.jurnalId = id;  // the called form changes or deletes the contact by it
  return true;
}

std::optional<JurPosition> BrowseJurnalView::positionOfBuffer(std::optional<std::int64_t> id) {
  JurnalFile* file = m_files.jurnalFile();
  const JurnalRecord& buffer = m_files.jurnal;
  if (!file || !inKey(m_sel.key, buffer)) return std::nullopt;
  const KeyValue key = keyValueOf(m_sel.key, buffer);
  if (id && file->fetch(*id)) return JurPosition{key, *id};
  // The contact just added: the last one with this key value that equals the buffer. Equal
  // key values keep the order of adding, so it is met first reading backwards.
  JurSelection exact = m_sel;
  exact.prefix.clear();
  exact.low = key;
  exact.high = key;
  auto scan = file->scanFrom(exact, std::nullopt, true, false);
  JurnalRow row;
  while (scan->next(row))
    if (row.rec == buffer) return JurPosition{key, row.id};
  return JurPosition{key, std::numeric_limits<std::int64_t>::max()};
}

std::int64_t BrowseJurnalView::dataVersion() {
  JurnalFile* file = m_files.jurnalFile();
  return file ? file->dataVersion() : 0;
}

}  // namespace jurnal
