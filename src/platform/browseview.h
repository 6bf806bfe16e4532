// A keyed view of one file as the browse manager reads it: page by page in one of its sort
// orders, from a key position forwards or backwards, narrowed by a selection key. The view
// turns each record into a row of display values through the feature's row-fill hook; the
// manager never holds more than the rows of one page.
#pragma once

#include <QString>
#include <QVector>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/jurnalkeys.h"

namespace jurnal {

// One row of the list: where it sits in the order in force, and what its columns show.
// `extra` carries values the row keeps without showing them (a full remark, QSL texts).
struct BrowseRow {
  JurPosition position;
  QVector<QString> values;
  QVector<QString> extra;
};

class BrowseView {
 public:
  virtual ~BrowseView() = default;

  virtual int orderCount() const = 0;
  // 0-based; the selection key is cleared by the manager, not here.
  virtual void setOrder(int order) = 0;
  virtual int order() const = 0;
  // Narrows the order in force to records whose key field begins with `cp1251Key` ("" = all).
  virtual void setSelectionKey(const std::string& cp1251Key) = 0;
  // Whether the order in force keys on text (value scale and step search compare texts).
  virtual bool textKey() const = 0;

  // At most `limit` rows from `from` (nullopt: the start going forward, the end going
  // backward), in the direction read.
  virtual std::vector<BrowseRow> read(const std::optional<JurPosition>& from, bool inclusive, bool forward,
                                      int limit) = 0;
  // Re-reads the record of `id` into the thread's record buffer; false when it is gone.
  virtual bool reload(std::int64_t id) = 0;
  // The position, in the order in force, of the record in the thread's record buffer:
  // the record `id` when given and still there, otherwise the last record equal to the
  // buffer (the one just added). Nullopt when the buffer's record is not in the order.
  virtual std::optional<JurPosition> positionOfBuffer(std::optional<std::int64_t> id) = 0;
  // Grows whenever the file's data may have changed (any window's writes).
  virtual std::int64_t dataVersion() = 0;
};

}  // namespace jurnal
