// Progress estimators: turn the progress value of the current record into a percentage of a
// walk whose first and last values are known. Numeric for number keys (dates, frequencies),
// text for callsigns and diploma names.
#pragma once

#include <string>
#include <string_view>

namespace jurnal {

class ProgressEstimator {
 public:
  enum class Kind { Numeric, Text };

  explicit ProgressEstimator(Kind kind = Kind::Numeric) : m_kind(kind) {}
  Kind kind() const { return m_kind; }

  // Limits: the progress values of the first and the last record of the walk.
  void setLimits(double first, double last);
  // Text limits are Windows-1251; with upper-case comparison on (text keys of the reports)
  // the caller passes them upper-cased, as it does the values.
  void setLimits(std::string_view first, std::string_view last);

  // Numeric: (value - first) * 100 / (last - first), truncated; 50 when first and last are
  // equal. At least 1; not capped above (the process manager caps at 100).
  int percentage(double value) const;

  // Text: only letters and digits count, compared by their upper-case form. One hundred steps
  // are laid out evenly between the first and the last text after their common beginning;
  // the result is the number of steps the value has passed (all of them when first and last
  // are equal and the value is not below them). At least 1, at most 100.
  int percentage(std::string_view value) const;

 private:
  double textPosition(const std::u16string& letters) const;

  Kind m_kind;
  double m_first = 0.0;
  double m_last = 0.0;
  std::u16string m_prefix;     // common beginning of the two text limits (letters and digits)
  double m_firstPos = 0.0;  // positions of the text limits after the common beginning
  double m_lastPos = 0.0;
};

}  // namespace jurnal
