// Walking one key order of the contact log. The SQL reads an index range (bounds, prefix
// segments, position) in key order with rowid breaking ties; a residual check on each row keeps
// prefix narrowing exact where the range is only an approximation (frequencies).
#include "core/jurnalscan.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/fixedtext.h"
#include "core/jurnalfile.h"
#include "core/plaindecimal.h"
#include "core/win1251.h"

namespace jurnal {
namespace {

// Above every character a Windows-1251 text can hold: "p" + this bounds all texts beginning
// with "p" in the binary order of UTF-8.
constexpr std::string_view kTextCeiling = "\xF4\x8F\xBF\xBF";

// Plain decimal text has no exponent below 1e21, so no longer decades are needed.
constexpr double kLargestDecade = 1e21;

// How far below a decimal bound a double may lie and still print as that bound with
// 15 significant digits.
constexpr double kRoundingSlack = 1e-14;

bool isNumericKey(JurKey key) { return key == JurKey::Band; }

// A bound or position in the form the key's column holds: integers for date and points, a
// double for the frequency, upper-case UTF-8 without trailing blanks for texts.
KeyValue stored(JurKey key, const KeyValue& v) {
  if (jurKeyStorage(key).text) {
    if (const auto* s = std::get_if<std::string>(&v)) return cp1251ToUtf8(upperCp1251(trimRight(*s)));
    if (const auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    return formatPlainDecimal(std::get<double>(v));
  }
  double d = 0;
  if (const auto* i = std::get_if<std::int64_t>(&v))
    d = static_cast<double>(*i);
  else if (const auto* f = std::get_if<double>(&v))
    d = *f;
  else
    d = parsePlainDecimal(std::get<std::string>(v));
  if (isNumericKey(key)) return d;
  if (const auto* i = std::get_if<std::int64_t>(&v)) return *i;
  return static_cast<std::int64_t>(std::llround(d));
}

void bindValue(SqliteStatement& st, int index, const KeyValue& v) {
  if (const auto* i = std::get_if<std::int64_t>(&v))
    st.bind(index, *i);
  else if (const auto* d = std::get_if<double>(&v))
    st.bind(index, *d);
  else
    st.bind(index, std::string_view(std::get<std::string>(v)));
}

bool allDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// Frequency ranges, ascending, that hold every value whose plain decimal text begins with
// `prefix`; the residual check then keeps exactly those.
std::vector<JurnalScan::Segment> bandSegmentsOf(const std::string& prefix) {
  using Segment = JurnalScan::Segment;
  std::vector<Segment> out;
  if (prefix.empty()) return {Segment{}};
  if (prefix[0] == '-') {
    // Negative values: the ranges of the digits, mirrored, in ascending order again.
    if (prefix.size() == 1) return {Segment{std::nullopt, KeyValue(0.0)}};
    for (const Segment& s : bandSegmentsOf(prefix.substr(1))) {
      if (!s.low || !s.high) return {Segment{}};
      const double lo = std::get<double>(*s.low), hi = std::get<double>(*s.high);
      out.insert(out.begin(), Segment{KeyValue(-hi), KeyValue(std::nextafter(-lo, 1.0))});
    }
    return out;
  }
  if (prefix.find_first_of("eE+") != std::string::npos) return {Segment{}};  // exponent form
  const auto dot = prefix.find('.');
  if (allDigits(prefix) && prefix[0] != '0') {
    // "7": 7 <= f < 8, 70 <= f < 80, 700 <= f < 800 ... ascending and disjoint.
    const double base = std::strtod(prefix.c_str(), nullptr);
    for (double scale = 1; base * scale < kLargestDecade; scale *= 10)
      out.push_back({KeyValue(base * scale * (1 - kRoundingSlack)), KeyValue((base + 1) * scale)});
    return out;
  }
  const bool digitsDotDigits = dot != std::string::npos && dot > 0 && allDigits(prefix.substr(0, dot)) &&
                               (dot + 1 == prefix.size() || allDigits(prefix.substr(dot + 1)));
  if (digitsDotDigits || allDigits(prefix)) {
    // "14.07", "7.", "0", "0.5": one range, as wide as the last digit given.
    const double value = std::strtod(prefix.c_str(), nullptr);
    const std::size_t decimals = dot == std::string::npos ? 0 : prefix.size() - dot - 1;
    const double step = std::pow(10.0, -static_cast<double>(decimals));
    out.push_back({KeyValue(value * (1 - kRoundingSlack)), KeyValue(value + step)});
  }
  return out;  // letters and the like: no frequency is written that way
}

}  // namespace

std::vector<JurnalScan::Segment> JurnalScan::bandSegments(const std::string& prefix) {
  return bandSegmentsOf(prefix);
}

JurnalScan::JurnalScan(JurnalFile& file, const JurSelection& sel, const std::optional<JurPosition>& from,
                       bool inclusive, bool forward)
    : m_file(file), m_sel(sel), m_from(from), m_inclusive(inclusive), m_forward(forward) {
  const std::string_view prefix = sel.key == JurKey::Index || sel.key == JurKey::Bonus
                                      ? std::string_view()
                                      : std::string_view(m_sel.prefix);
  if (prefix.empty()) {
    m_sel.prefix.clear();
    m_segments.push_back({});
  } else if (jurKeyStorage(sel.key).text) {
    std::string low = cp1251ToUtf8(upperCp1251(trimRight(prefix)));
    std::string high = low + std::string(kTextCeiling);
    m_segments.push_back({KeyValue(std::move(low)), KeyValue(std::move(high))});
    m_residual = true;
  } else {
    m_residual = true;
    m_segments = bandSegments(std::string(trimRight(prefix)));
    dropSegmentsOutside();
  }
  if (!m_forward) std::reverse(m_segments.begin(), m_segments.end());
}

JurnalScan::~JurnalScan() = default;

// Keeps only the frequency ranges that reach the values stored: a prefix of rare digits would
// otherwise step through some twenty empty decades. Two reads at the ends of the key order.
void JurnalScan::dropSegmentsOutside() {
  if (!m_file.isOpen()) return;
  const auto end = [this](const char* dir) -> std::optional<double> {
    SqliteStatement st(m_file.m_db.handle(), std::string("SELECT band FROM jurnal INDEXED BY jur_band_key"
                                                         " WHERE band <> 0 ORDER BY band ") + dir + " LIMIT 1");
    if (!st.valid() || st.step() != SQLITE_ROW) return std::nullopt;
    return st.real(0);
  };
  const std::optional<double> lowest = end("ASC"), highest = end("DESC");
  if (!lowest || !highest) {
    m_segments.clear();
    return;
  }
  std::erase_if(m_segments, [&](const Segment& s) {
    return (s.low && std::get<double>(*s.low) > *highest) || (s.high && std::get<double>(*s.high) <= *lowest);
  });
}

bool JurnalScan::openSegment() {
  const JurKeyStorage& ks = jurKeyStorage(m_sel.key);
  const Segment& seg = m_segments[m_segment];
  const std::string k = ks.expr;
  std::string sql = std::string("SELECT ") + JurnalFile::kColumns + " FROM jurnal INDEXED BY " + ks.index +
                    " WHERE 1";
  if (*ks.where) sql += std::string(" AND ") + ks.where;
  std::vector<KeyValue> params;
  auto param = [&](const KeyValue& v) {
    params.push_back(v);
    return "?" + std::to_string(params.size());
  };
  if (m_sel.low) sql += " AND " + k + " >= " + param(stored(m_sel.key, *m_sel.low));
  if (m_sel.high) sql += " AND " + k + " <= " + param(stored(m_sel.key, *m_sel.high));
  if (seg.low) sql += " AND " + k + " >= " + param(*seg.low);
  if (seg.high) sql += " AND " + k + " < " + param(*seg.high);
  if (m_from) {
    const std::string key = param(stored(m_sel.key, m_from->key));
    const std::string id = param(KeyValue(m_from->id));
    const char* cmp = m_forward ? ">" : "<";
    const char* cmpOrEq = m_forward ? (m_inclusive ? ">=" : ">") : (m_inclusive ? "<=" : "<");
    // The first term bounds the index range; the second settles ties by id.
    sql += " AND " + k + " " + cmp + "= " + key + " AND (" + k + " " + cmp + " " + key + " OR id " +
           cmpOrEq + " " + id + ")";
  }
  const char* dir = m_forward ? " ASC" : " DESC";
  sql += " ORDER BY " + k + dir + ", id" + dir;

  m_stmt = SqliteStatement(m_file.m_db.handle(), sql);
  if (!m_stmt.valid()) {
    m_file.noteReadError(m_stmt.prepareCode());
    return false;
  }
  for (std::size_t i = 0; i < params.size(); ++i) bindValue(m_stmt, static_cast<int>(i + 1), params[i]);
  return true;
}

bool JurnalScan::passes(const JurnalRecord& rec) const {
  if (!m_residual) return true;
  const std::string_view prefix = m_sel.prefix;
  if (m_sel.key == JurKey::Band)
    return formatPlainDecimal(rec.band).starts_with(trimRight(prefix));
  std::string_view field;
  switch (m_sel.key) {
    case JurKey::Radio: field = fieldView(rec.radio); break;
    case JurKey::Qth: field = fieldView(rec.qth); break;
    case JurKey::Diplom: field = fieldView(rec.diplom); break;
    default: return true;
  }
  // Compared as the blank-padded field, so a prefix ending in blanks still matches.
  return upperCp1251(field).starts_with(upperCp1251(prefix));
}

bool JurnalScan::next(JurnalRow& row) {
  if (!m_file.isOpen()) return false;
  while (m_segment < m_segments.size()) {
    if (!m_active) {
      if (!openSegment()) {
        m_segment = m_segments.size();
        return false;
      }
      m_active = true;
    }
    const int rc = m_stmt.step();
    if (rc == SQLITE_ROW) {
      JurnalFile::rowFromColumns(m_stmt, row);
      if (passes(row.rec)) return true;
      continue;
    }
    if (rc != SQLITE_DONE) {
      m_file.noteReadError(rc);
      m_segment = m_segments.size();
      m_stmt = SqliteStatement();
      return false;
    }
    m_stmt = SqliteStatement();
    m_active = false;
    ++m_segment;
  }
  return false;
}

}  // namespace jurnal
