// Reading the diploma totals for a browse list.
#include "platform/browsebonusview.h"

#include <algorithm>

#include "core/fixedtext.h"
#include "core/threadfiles.h"
#include "core/win1251.h"

namespace jurnal {
namespace {

std::string upperKey(const KeyValue& v) {
  if (const auto* s = std::get_if<std::string>(&v)) return upperCp1251(trimRight(*s));
  return {};
}

}  // namespace

BrowseBonusView::BrowseBonusView(ThreadFiles& files, RowFill rowFill)
    : m_files(files), m_rowFill(std::move(rowFill)) {}

void BrowseBonusView::setSelectionKey(const std::string& cp1251Key) { m_key = upperCp1251(cp1251Key); }

void BrowseBonusView::refresh() {
  BonusFile* file = m_files.bonusFile();
  const std::int64_t version = file ? file->dataVersion() : 0;
  if (version == m_version && file) return;
  m_version = version;
  m_entries.clear();
  if (!file) return;
  for (const BonusRow& r : file->readAll()) {
    Entry e;
    e.position = {KeyValue(upperCp1251(fieldText(r.rec.diplomName))), r.id};
    e.rec = r.rec;
    m_entries.push_back(e);
  }
  // The same order as the key: upper case compared byte by byte in UTF-8, as the file keeps it.
  std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
    const std::string ka = cp1251ToUtf8(std::get<std::string>(a.position.key));
    const std::string kb = cp1251ToUtf8(std::get<std::string>(b.position.key));
    return ka != kb ? ka < kb : a.position.id < b.position.id;
  });
}

std::vector<BrowseBonusView::Entry> BrowseBonusView::selected() const {
  if (m_key.empty()) return m_entries;
  std::vector<Entry> out;
  for (const Entry& e : m_entries)
    if (std::get<std::string>(e.position.key).starts_with(m_key)) out.push_back(e);
  return out;
}

std::vector<BrowseRow> BrowseBonusView::read(const std::optional<JurPosition>& from, bool inclusive, bool forward,
                                             int limit) {
  refresh();
  const std::vector<Entry> entries = selected();
  std::vector<BrowseRow> rows;
  // Positions compare in the sorted (UTF-8) order; find the place of `from` by that order.
  auto less = [](const JurPosition& a, const JurPosition& b) {
    const std::string ka = cp1251ToUtf8(std::get<std::string>(a.key));
    const std::string kb = cp1251ToUtf8(std::get<std::string>(b.key));
    return ka != kb ? ka < kb : a.id < b.id;
  };
  JurPosition start;
  if (from) start = {KeyValue(upperKey(from->key)), from->id};
  auto add = [&](const Entry& e) {
    BrowseRow row;
    row.position = e.position;
    if (m_rowFill) m_rowFill(e.rec, row);
    rows.push_back(std::move(row));
  };
  if (forward) {
    for (const Entry& e : entries) {
      if (static_cast<int>(rows.size()) >= limit) break;
      if (from && (inclusive ? less(e.position, start) : !less(start, e.position))) continue;
      add(e);
    }
  } else {
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
      if (static_cast<int>(rows.size()) >= limit) break;
      if (from && (inclusive ? less(start, it->position) : !less(it->position, start))) continue;
      add(*it);
    }
  }
  return rows;
}

bool BrowseBonusView::reload(std::int64_t id) {
  BonusFile* file = m_files.bonusFile();
  if (!file) return false;
  const auto rec = file->fetch(id);
  if (!rec) return false;
  m_files.bonus = *rec;
  return true;
}

std::optional<JurPosition> BrowseBonusView::positionOfBuffer(std::optional<std::int64_t> id) {
  const std::string name = upperCp1251(fieldText(m_files.bonus.diplomName));
  if (name.empty()) return std::nullopt;
  return JurPosition{KeyValue(name), id.value_or(0)};
}

std::int64_t BrowseBonusView::dataVersion() {
  BonusFile* file = m_files.bonusFile();
  return file ? file->dataVersion() : 0;
}

}  // namespace jurnal
