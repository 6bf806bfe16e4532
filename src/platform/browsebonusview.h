// The browse view of the diploma totals: one order, BON:KeyDiplom_Name. BONUS holds one record
// per diploma, so the view keeps the key order in memory and re-reads it when the file changes.
#pragma once

#include <functional>
#include <vector>

#include "core/bonusfile.h"
#include "platform/browseview.h"

namespace jurnal {

class ThreadFiles;

class BrowseBonusView final : public BrowseView {
 public:
  using RowFill = std::function<void(const BonusRecord&, BrowseRow&)>;

  BrowseBonusView(ThreadFiles& files, RowFill rowFill);

  int orderCount() const override { return 1; }
  void setOrder(int) override {}
  int order() const override { return 0; }
  void setSelectionKey(const std::string& cp1251Key) override;
  bool textKey() const override { return true; }
  std::vector<BrowseRow> read(const std::optional<JurPosition>& from, bool inclusive, bool forward,
                              int limit) override;
  bool reload(std::int64_t id) override;
  std::optional<JurPosition> positionOfBuffer(std::optional<std::int64_t> id) override;
  std::int64_t dataVersion() override;

 private:
  struct Entry {
    JurPosition position;  // upper-case name, record id
    BonusRecord rec;
  };
  void refresh();
  std::vector<Entry> selected() const;

  ThreadFiles& m_files;
  RowFill m_rowFill;
  std::string m_key;
  std::vector<Entry> m_entries;
  std::int64_t m_version = -1;
};

}  // namespace jurnal
