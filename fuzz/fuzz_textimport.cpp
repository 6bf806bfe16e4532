// Fuzz target: the comma-delimited reader of jurnal.txt and the conversions of its fields.
// Besides crashes and sanitizer reports it stops on a broken invariant: a position past the
// input, a record that consumed no byte, a date or time out of range, a frequency that is not
// a finite number, or an export line longer than the 256 bytes of the output record.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "core/daytime.h"
#include "core/records.h"
#include "core/textexport.h"
#include "core/textimport.h"

using namespace jurnal;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// Each converter gets a heap copy of exactly `length` bytes, so reading one byte too far is
// a sanitizer report.
template <typename Convert>
void convertExact(std::string_view bytes, std::size_t length, Convert convert) {
  length = std::min(length, bytes.size());
  std::unique_ptr<char[]> copy(new char[length ? length : 1]);
  std::memcpy(copy.get(), bytes.data(), length);
  convert(std::string_view(copy.get(), length));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FixedClock clock(dateFromCalendar(2024, 6, 15), timeFromClock(12, 0));
  Clock::setCurrent(&clock);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  TextImport reader(bytes);
  TxtRecord txt;
  std::uint64_t records = 0;
  std::uint64_t before = 0;
  while (reader.next(txt)) {
    ++records;
    check(reader.position() > before && reader.position() <= size);
    check(reader.records() == records);
    before = reader.position();
    const JurnalRecord r = txtToJurnal(txt);
    check(r.date == 0 || isValidDate(r.date));
    check(r.uts == 0 || isValidTime(r.uts));
    check(std::isfinite(r.band));
    check(exportLine(r).size() <= sizeof(VivRecord));
  }
  check(reader.position() <= size);

  for (std::size_t length : {std::size_t{8}, std::size_t{20}, size}) {
    convertExact(bytes, length, [](std::string_view t) { check(readDate(t) == 0 || isValidDate(readDate(t))); });
    convertExact(bytes, length, [](std::string_view t) { check(readTime(t) == 0 || isValidTime(readTime(t))); });
    convertExact(bytes, length, [](std::string_view t) { check(std::isfinite(readFrequency(t))); });
    convertExact(bytes, length, [](std::string_view t) { readPoints(t); });
  }

  // Any contact, however its bytes came to be, gives a line within the output record.
  if (size >= sizeof(JurnalRecord)) {
    JurnalRecord raw;
    std::memcpy(&raw, data, sizeof raw);
    check(exportLine(raw).size() <= sizeof(VivRecord));
  }
  return 0;
}
