// Script runs handed over from other threads to the thread that owns their
// context. Pushing never waits for the run; the owning thread runs what is
// queued for it when woken (on Windows by a message to a hidden window of
// that thread, see script_dispatch_window_win.cpp). Safe from any thread.
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "framework/interfaces.h"

struct ScriptJob {
  // Each pointer carries a reference of the job's own.
  framework::ScriptContext* context = nullptr;
  std::thread::id home;
  std::wstring script;
  framework::Object* target = nullptr;
  framework::ArgumentList* arguments = nullptr;
};

class ScriptJobQueue {
 public:
  // Called after a push, from the pushing thread, to wake the home thread.
  using Waker = void (*)(std::thread::id home);
  // Called on a thread that creates a context, so it can be woken later.
  using ThreadPreparer = void (*)();

  static ScriptJobQueue& Instance();

  void SetHooks(Waker waker, ThreadPreparer preparer);
  void PrepareThisThread();

  // Takes over the job's references.
  void Push(const ScriptJob& job);
  // Runs the jobs queued for the calling thread, oldest first, and releases
  // them; returns how many ran.
  size_t RunPending();
  size_t PendingCount();
  // Releases every queued job without running it (the library unloads).
  void Clear();

 private:
  static void ReleaseJob(const ScriptJob& job);

  std::mutex mutex_;
  std::deque<ScriptJob> jobs_;
  Waker waker_ = nullptr;
  ThreadPreparer preparer_ = nullptr;
};
