#include "framework/planex/script_job_queue.h"

#include <vector>

ScriptJobQueue& ScriptJobQueue::Instance() {
  // Never destroyed: jobs are released by Clear while their objects'
  // libraries are loaded, never during the process's exit.
  static ScriptJobQueue* queue = new ScriptJobQueue();
  return *queue;
}

void ScriptJobQueue::SetHooks(Waker waker, ThreadPreparer preparer) {
  std::lock_guard<std::mutex> lock(mutex_);
  waker_ = waker;
  preparer_ = preparer;
}

void ScriptJobQueue::PrepareThisThread() {
  ThreadPreparer preparer;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    preparer = preparer_;
  }
  if (preparer != nullptr) preparer();
}

void ScriptJobQueue::Push(const ScriptJob& job) {
  Waker waker;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(job);
    waker = waker_;
  }
  if (waker != nullptr) waker(job.home);
}

size_t ScriptJobQueue::RunPending() {
  std::vector<ScriptJob> mine;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    std::thread::id self = std::this_thread::get_id();
    for (auto job = jobs_.begin(); job != jobs_.end();) {
      if (job->home == self) {
        mine.push_back(*job);
        job = jobs_.erase(job);
      } else {
        ++job;
      }
    }
  }
  for (const ScriptJob& job : mine) {
    job.context->RunScript(job.script.c_str(), job.target, job.arguments);
    ReleaseJob(job);
  }
  return mine.size();
}

size_t ScriptJobQueue::PendingCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return jobs_.size();
}

void ScriptJobQueue::Clear() {
  std::deque<ScriptJob> jobs;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs.swap(jobs_);
  }
  for (const ScriptJob& job : jobs) ReleaseJob(job);
}

void ScriptJobQueue::ReleaseJob(const ScriptJob& job) {
  if (job.arguments != nullptr) job.arguments->Release();
  if (job.target != nullptr) job.target->Release();
  if (job.context != nullptr) job.context->Release();
}
