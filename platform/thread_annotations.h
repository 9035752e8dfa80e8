// Attributes that let Clang's -Wthread-safety check, at compile time, that
// every member a mutex guards is touched only with that mutex held, and a
// mutex and lock guard carrying them (the standard library's carry none).
// On compilers without the analysis the attributes expand to nothing and
// Mutex and MutexLock behave exactly as std::mutex and std::lock_guard.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

#if defined(__clang__)
#define TOBREL_THREAD_ATTRIBUTE(x) __attribute__((x))
#else
#define TOBREL_THREAD_ATTRIBUTE(x)
#endif

#define CAPABILITY(name) TOBREL_THREAD_ATTRIBUTE(capability(name))
#define SCOPED_CAPABILITY TOBREL_THREAD_ATTRIBUTE(scoped_lockable)
#define GUARDED_BY(mutex) TOBREL_THREAD_ATTRIBUTE(guarded_by(mutex))
#define PT_GUARDED_BY(mutex) TOBREL_THREAD_ATTRIBUTE(pt_guarded_by(mutex))
#define REQUIRES(...) TOBREL_THREAD_ATTRIBUTE(requires_capability(__VA_ARGS__))
#define ACQUIRE(...) TOBREL_THREAD_ATTRIBUTE(acquire_capability(__VA_ARGS__))
#define RELEASE(...) TOBREL_THREAD_ATTRIBUTE(release_capability(__VA_ARGS__))
#define EXCLUDES(...) TOBREL_THREAD_ATTRIBUTE(locks_excluded(__VA_ARGS__))
#define NO_THREAD_SAFETY_ANALYSIS TOBREL_THREAD_ATTRIBUTE(no_thread_safety_analysis)

namespace tobrel {

// A std::mutex the analysis knows as a capability. Never throws on unlock;
// Lock throws std::system_error only where std::mutex::lock would.
class CAPABILITY("mutex") Mutex {
 public:
  void Lock() ACQUIRE() { mutex_.lock(); }
  void Unlock() RELEASE() { mutex_.unlock(); }

 private:
  friend class MutexLock;
  std::mutex mutex_;
};

// Holds a Mutex from construction to destruction. Wait() releases it while
// blocked on `changed` and holds it again before returning, as
// std::condition_variable::wait does (it may return without a signal).
// WaitUntil() likewise, and tells whether it returned before `until`.
class SCOPED_CAPABILITY MutexLock {
 public:
  explicit MutexLock(Mutex& mutex) ACQUIRE(mutex) : lock_(mutex.mutex_) {}
  ~MutexLock() RELEASE() {}
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;

  void Wait(std::condition_variable& changed) { changed.wait(lock_); }
  // Wait() that returns false once `until` has passed.
  bool WaitUntil(std::condition_variable& changed,
                 std::chrono::steady_clock::time_point until) {
    return changed.wait_until(lock_, until) == std::cv_status::no_timeout;
  }

 private:
  std::unique_lock<std::mutex> lock_;
};

}  // namespace tobrel
