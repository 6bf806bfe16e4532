// The open checks of a plain text file (jurnal.txt for the export and the import): whether it
// exists, may be written, and can be created empty. The reading and writing of lines belong
// to the text readers and writers, which take the path from here.
#pragma once

#include <string>

#include "core/filedriver.h"

namespace jurnal {

class TextFileDriver final : public FileDriver {
 public:
  TextFileDriver(std::string folder, std::string fileName);

  OpenOutcome open(OpenMode mode) override;
  bool create() override;
  bool rebuildKeys() override { return true; }  // a text file has no keys
  void close() override { m_open = false; }
  bool isOpen() const override { return m_open; }
  std::string errorText() const override { return m_errorText; }

  const std::string& path() const { return m_path; }
  bool readOnly() const { return m_readOnly; }

 private:
  std::string m_path;
  std::string m_errorText;
  bool m_open = false;
  bool m_readOnly = false;
};

}  // namespace jurnal
