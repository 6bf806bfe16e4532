// Helpers of the storage tests: a private temporary folder, a sink that captures reports, and
// a contact built from UTF-8 texts.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/records.h"
#include "core/win1251.h"

namespace jurnal::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "jurnal-test-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(m_path, ec);
  }
  const std::string& path() const { return m_path; }
  std::string file(std::string_view name) const { return m_path + "/" + std::string(name); }

 private:
  std::string m_path;
};

// Captures every report while alive; fatal reports return here as they do in any test.
class CaptureSink final : public ErrorSink {
 public:
  CaptureSink() : m_previous(errorSink()) { setErrorSink(this); }
  ~CaptureSink() override { setErrorSink(m_previous); }
  void report(const ErrorReport& r) override { reports.push_back(r); }

  std::vector<std::string> titles() const {
    std::vector<std::string> out;
    for (const auto& r : reports) out.push_back(r.title);
    return out;
  }

  std::vector<ErrorReport> reports;

 private:
  ErrorSink* m_previous;
};

struct Contact {
  std::int32_t date = 0;
  double band = 0;
  std::string_view radio = {}, qth = {}, diplom = {};
  std::int16_t bonus = 0;
  std::string_view remarks = {};
};

inline JurnalRecord makeContact(const Contact& c) {
  JurnalRecord r;
  r.clear();
  r.date = c.date;
  r.band = c.band;
  setField(r.radio, utf8ToCp1251(c.radio));
  setField(r.qth, utf8ToCp1251(c.qth));
  setField(r.diplom, utf8ToCp1251(c.diplom));
  setField(r.remarks, utf8ToCp1251(c.remarks));
  r.bonus = c.bonus;
  return r;
}

}  // namespace jurnal::testing
