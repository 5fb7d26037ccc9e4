// An auto-reset event: Set wakes one waiter (or the next one to wait) and clears itself again.
#pragma once

#include <condition_variable>
#include <mutex>

class AutoResetEvent {
  public:
    void Set();
    void Reset();
    // Blocks until the event is set, then clears it.
    void Wait();
    // Clears the event and says whether it was set, without blocking.
    bool TryWait();

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
};
