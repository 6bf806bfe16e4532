// A walk over records, one at a time, for the process manager: a report's selection of the
// log, the lines of a text file, any sequence a long job steps through.
#pragma once

namespace jurnal {

class RecordSource {
 public:
  enum class Read { Record, End, Error };

  virtual ~RecordSource() = default;

  // Starts the walk from the beginning; false when it cannot be started (the source has
  // reported why).
  virtual bool rewind() = 0;

  // Makes the next record current. Error ends the walk as cancelled; the source reports it.
  virtual Read next() = 0;
};

}  // namespace jurnal
