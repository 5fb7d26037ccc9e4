#include "sound/music_failures.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "sound/sound_system.h"

namespace sound {

namespace {

// Guards the two records below. Taken on its own, or inside MusicLock (never the other way
// round), and never held while a box is shown.
std::mutex FailuresMutex;
std::set<std::string, std::less<>> FailedFiles;
std::vector<diag::TraceBox> PendingReports;
// Lets the main thread's check between frames skip the mutex while nothing is waiting.
std::atomic<bool> ReportsPending{false};

}  // namespace

bool MusicFileFailed(std::string_view path) {
    std::lock_guard lock(FailuresMutex);
    return FailedFiles.find(path) != FailedFiles.end();
}

void RecordMusicFailure(std::string_view path, const diag::HeldTraceBoxes& held) {
    std::lock_guard lock(FailuresMutex);
    if (!FailedFiles.emplace(path).second) return;
    if (held.Empty()) return;
    PendingReports.push_back(held.Boxes().front());
    ReportsPending.store(true);
}

void ShowMusicFailures() {
    if (!ReportsPending.load()) return;
    std::vector<diag::TraceBox> reports;
    {
        std::lock_guard lock(FailuresMutex);
        reports.swap(PendingReports);
        ReportsPending.store(false);
    }
    for (const diag::TraceBox& report : reports) diag::ShowTraceBox(report);
}

bool LoadWholeMusic(CSound*& slot, const char* path, uint32_t creationFlags) {
    if (slot) return true;
    if (!SoundDevice || !path || MusicFileFailed(path)) return false;
    diag::HeldTraceBoxes held;
    const HRESULT hr = SoundDevice->LoadSound(&slot, path, creationFlags, GUID_NULL, 1);
    // A file that is simply missing traces no box: it is looked for again, as any sound is.
    if (!held.Empty()) {
        RecordMusicFailure(path, held);
        if (Succeeded(hr) && slot) {
            delete slot;
            slot = nullptr;
        }
    }
    return Succeeded(hr) && slot;
}

void ResetMusicFailuresForTests() {
    std::lock_guard lock(FailuresMutex);
    FailedFiles.clear();
    PendingReports.clear();
    ReportsPending.store(false);
}

}  // namespace sound
