// A logical thread. The windows behave as if each ran on a thread of its own under one run
// lock; here everything runs on the GUI thread and a Context stands for one such thread: it
// owns that thread's record buffer, open count and position for every file.
#pragma once

#include <memory>

namespace jurnal {

class ThreadFiles;

class Context final {
 public:
  Context();
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  ThreadFiles& files() { return *m_files; }
  int id() const { return m_id; }

  // Logical threads alive now (the frame's included); the platform allows at most 63.
  static int liveCount();
  static constexpr int kMaxThreads = 63;

 private:
  std::unique_ptr<ThreadFiles> m_files;
  int m_id;
};

using ContextPtr = std::shared_ptr<Context>;

}  // namespace jurnal
