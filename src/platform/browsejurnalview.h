// The browse view of the contact log: the orders are keys of JURNAL (each with an optional
// range), read through the thread's open JurnalFile; the feature's row-fill hook turns each
// contact into the values of a row.
#pragma once

#include <functional>
#include <vector>

#include "core/jurnalkeys.h"
#include "platform/browseview.h"

namespace jurnal {

class ThreadFiles;

class BrowseJurnalView final : public BrowseView {
 public:
  using RowFill = std::function<void(const JurnalRecord&, BrowseRow&)>;

  // `orders`: key and range of each sort order, in the order they are registered.
  BrowseJurnalView(ThreadFiles& files, std::vector<JurSelection> orders, RowFill rowFill);

  int orderCount() const override { return static_cast<int>(m_orders.size()); }
  void setOrder(int order) override;
  int order() const override { return m_order; }
  void setSelectionKey(const std::string& cp1251Key) override;
  bool textKey() const override;
  std::vector<BrowseRow> read(const std::optional<JurPosition>& from, bool inclusive, bool forward,
                              int limit) override;
  bool reload(std::int64_t id) override;
  std::optional<JurPosition> positionOfBuffer(std::optional<std::int64_t> id) override;
  std::int64_t dataVersion() override;

  const JurSelection& selection() const { return m_sel; }

 private:
  ThreadFiles& m_files;
  std::vector<JurSelection> m_orders;
  RowFill m_rowFill;
  int m_order = 0;
  JurSelection m_sel;  // the order in force with its selection key
};

}  // namespace jurnal
