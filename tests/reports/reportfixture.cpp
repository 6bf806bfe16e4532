// Scratch log helpers for the report tests.
#include "reports/reportfixture.h"

#include <gtest/gtest.h>

#include "core/filemanager.h"
#include "core/jurnalfile.h"
#include "core/threadfiles.h"

namespace jurnal::test {

JurnalRecord recordOf(const Contact& c) {
  JurnalRecord rec;
  rec.clear();
  rec.date = c.date;
  rec.uts = c.uts;
  rec.band = c.band;
  setField(rec.radio, c.radio);
  setField(rec.diplom, c.diplom);
  rec.bonus = c.bonus;
  setField(rec.rss, c.rss);
  setField(rec.rsr, c.rsr);
  setField(rec.qth, c.qth);
  setField(rec.operatorName, c.operatorName);
  return rec;
}

void addContacts(const std::vector<Contact>& contacts) {
  ThreadFiles files;
  ASSERT_TRUE(FileManager::jurnal().open(files));
  JurnalFile* file = files.jurnalFile();
  ASSERT_TRUE(file->begin().ok());
  for (const Contact& c : contacts) ASSERT_TRUE(file->insert(recordOf(c)).ok());
  ASSERT_TRUE(file->commit().ok());
  FileManager::jurnal().close(files);
}

QStringList pageTexts(const ReportPage& page) {
  QStringList texts;
  for (const ReportDrawOp& op : page.ops) {
    if (!op.text.isEmpty()) texts << op.text;
  }
  return texts;
}

QStringList bodyTexts(const std::vector<ReportPage>& pages, const ReportLayout& layout) {
  QStringList texts;
  for (const ReportPage& page : pages) {
    for (const ReportDrawOp& op : page.ops) {
      if (!op.text.isEmpty() && layout.body.contains(op.rect.topLeft())) texts << op.text;
    }
  }
  return texts;
}

}  // namespace jurnal::test
