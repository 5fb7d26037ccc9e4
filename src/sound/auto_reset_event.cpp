#include "sound/auto_reset_event.h"

void AutoResetEvent::Set() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    changed_.notify_one();
}

void AutoResetEvent::Reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

void AutoResetEvent::Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return signalled_; });
    signalled_ = false;
}

bool AutoResetEvent::TryWait() {
    std::lock_guard lock(mutex_);
    const bool was = signalled_;
    signalled_ = false;
    return was;
}
