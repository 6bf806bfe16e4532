// A scratch log for the report tests: contacts written straight into JURNAL.db in the
// working directory, and helpers that read back what the pages show.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "core/daytime.h"
#include "core/records.h"
#include "platform/reportengine.h"
#include "support/testsupport.h"

namespace jurnal::test {

struct Contact {
  std::int32_t date = 0;
  std::int32_t uts = 0;
  double band = 0;
  std::string radio;  // Windows-1251
  std::string diplom;
  std::int16_t bonus = 0;
  std::string rss = "59";
  std::string rsr = "59";
  std::string qth;
  std::string operatorName;
};

JurnalRecord recordOf(const Contact& c);
// Adds the contacts to JURNAL in the working directory, in one transaction.
void addContacts(const std::vector<Contact>& contacts);

// The texts drawn on a page, in drawing order.
QStringList pageTexts(const ReportPage& page);
// The texts drawn inside the body area between header and footer (the detail values).
QStringList bodyTexts(const std::vector<ReportPage>& pages, const ReportLayout& layout);

}  // namespace jurnal::test
