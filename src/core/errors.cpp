// The error table and the default sink (stderr).
#include "core/errors.h"

#include <cstdio>

namespace jurnal {
namespace {

struct ErrorEntry {
  ErrorCode code;
  ErrorLevel level;
  const char* title;
  const char* text;
};

// Texts exactly as the user sees them; %File is a file's display name, %ErrorText the storage
// engine's message, %Message the description of the key that was broken.
constexpr ErrorEntry kTable[] = {
    {ErrorCode::FileCreationError, ErrorLevel::Fatal, "File Creation Error",
     "Error: (%ErrorText) creating %File."},
    {ErrorCode::AccessDenied, ErrorLevel::Notice, "Access Denied",
     "Could not get write access to %File so trying read-only."},
    {ErrorCode::InvalidKey, ErrorLevel::Notice, "Invalid Key",
     "%File key file is invalid. Key must be rebuilt."},
    {ErrorCode::KeyNotBuilt, ErrorLevel::Fatal, "Key was not built",
     "Error: (%ErrorText) repairing key for %File."},
    {ErrorCode::FileAccessError, ErrorLevel::Fatal, "File Access Error",
     "File (%File) could not be opened.  Error: %ErrorText."},
    {ErrorCode::DuplicateKey, ErrorLevel::Notice, "Duplicate Key Error",
     "Adding this record creates a duplicate entry for the key: %Message"},
    // No text of the managers' own covers a write refused by the file: ours, in Russian.
    {ErrorCode::RecordWriteError, ErrorLevel::Notice, "Ошибка записи",
     "Не удалось записать запись в %File.  Ошибка: %ErrorText."},
    {ErrorCode::RecordUpdateError, ErrorLevel::Question, "Record Update Error",
     "An error was experienced changing this record. Do you want to try to save again?"},
    {ErrorCode::RecordDeleteError, ErrorLevel::Question, "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {ErrorCode::ChangesLost, ErrorLevel::Question, "Changes will be lost!",
     "Are you sure you want to cancel?"},
    {ErrorCode::NoRecords, ErrorLevel::Notice, "No Records",
     "There are no records available to process."},
};

const ErrorEntry* find(ErrorCode code) {
  for (const auto& e : kTable)
    if (e.code == code) return &e;
  return nullptr;
}

// Replaces every occurrence of `name`; the values are inserted once, never rescanned.
std::string fill(std::string_view pattern, std::string_view file, std::string_view errorText,
                 std::string_view message) {
  const struct { std::string_view name, value; } fields[] = {
      {"%File", file}, {"%ErrorText", errorText}, {"%Message", message}};
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    bool replaced = false;
    if (pattern[i] == '%') {
      for (const auto& f : fields) {
        if (pattern.substr(i, f.name.size()) == f.name) {
          out += f.value;
          i += f.name.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out += pattern[i++];
  }
  return out;
}

ErrorSink* g_sink = nullptr;

}  // namespace

ErrorLevel errorLevel(ErrorCode code) {
  const ErrorEntry* e = find(code);
  return e ? e->level : ErrorLevel::Fatal;
}

ErrorReport makeErrorReport(ErrorCode code, std::string_view file, std::string_view errorText,
                            std::string_view message) {
  ErrorReport r;
  r.code = code;
  if (const ErrorEntry* e = find(code)) {
    r.level = e->level;
    r.title = e->title;
    r.text = fill(e->text, file, errorText, message);
  } else {
    r.level = ErrorLevel::Fatal;
    r.title = "Program Error";
    r.text = std::string(errorText);
  }
  return r;
}

void setErrorSink(ErrorSink* sink) { g_sink = sink; }
ErrorSink* errorSink() { return g_sink; }

void reportError(const ErrorReport& report) {
  if (g_sink) {
    g_sink->report(report);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", report.title.c_str(), report.text.c_str());
}

}  // namespace jurnal
