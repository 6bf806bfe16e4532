// The error table: every report the file, window and process managers raise, with its level,
// title and text (UTF-8), and the sink through which core hands reports to the user interface.
#pragma once

#include <string>
#include <string_view>

namespace jurnal {

// Notice: OK and the work goes on. Question: Yes (default) / No. Fatal: the program ends
// (in tests the sink returns and the caller must fail cleanly).
enum class ErrorLevel { Notice, Question, Fatal };

enum class ErrorCode {
  None,
  FileCreationError,
  AccessDenied,
  InvalidKey,
  KeyNotBuilt,
  FileAccessError,
  DuplicateKey,
  RecordWriteError,   // an insert, change or delete refused by the file (read-only, full disk)
  RecordUpdateError,
  RecordDeleteError,
  ChangesLost,
  NoRecords,
};

struct ErrorReport {
  ErrorCode code = ErrorCode::None;
  ErrorLevel level = ErrorLevel::Notice;
  std::string title;
  std::string text;
};

// The report of `code` with %File, %ErrorText and %Message filled in.
ErrorReport makeErrorReport(ErrorCode code, std::string_view file = {},
                            std::string_view errorText = {}, std::string_view message = {});

// The level of a code as the table gives it.
ErrorLevel errorLevel(ErrorCode code);

// Receives every report raised by core. The platform's error manager shows message boxes;
// a fatal report ends the program there, but a test sink returns.
class ErrorSink {
 public:
  virtual ~ErrorSink() = default;
  virtual void report(const ErrorReport& report) = 0;
};

// Sets the sink reports go to; nullptr sends them to stderr. Not owned.
void setErrorSink(ErrorSink* sink);
ErrorSink* errorSink();

// Hands a report to the current sink (stderr when none is set).
void reportError(const ErrorReport& report);
inline void reportError(ErrorCode code, std::string_view file = {}, std::string_view errorText = {},
                        std::string_view message = {}) {
  reportError(makeErrorReport(code, file, errorText, message));
}

// Outcome of one storage operation: no report is raised, the caller decides.
// `text` is the storage engine's message.
struct Status {
  ErrorCode code = ErrorCode::None;
  std::string text;

  bool ok() const { return code == ErrorCode::None; }
  explicit operator bool() const { return ok(); }
  static Status success() { return {}; }
  static Status failure(ErrorCode c, std::string t) { return {c, std::move(t)}; }
};

}  // namespace jurnal
