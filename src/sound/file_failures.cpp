#include "sound/file_failures.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

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

bool FileFailed(std::string_view path) {
    std::lock_guard lock(FailuresMutex);
    return FailedFiles.find(path) != FailedFiles.end();
}

void RecordFileFailure(std::string_view path, const diag::HeldTraceBoxes& held) {
    std::lock_guard lock(FailuresMutex);
    if (!FailedFiles.emplace(path).second) return;
    if (held.Empty()) return;
    diag::TraceBox report = held.Boxes().front();
    // The trace names the call that failed; the player needs to know which file to replace.
    report.text += "\nSound: ";
    report.text += path;
    PendingReports.push_back(std::move(report));
    ReportsPending.store(true);
}

void ShowFileFailures() {
    if (!ReportsPending.load()) return;
    std::vector<diag::TraceBox> reports;
    {
        std::lock_guard lock(FailuresMutex);
        reports.swap(PendingReports);
        ReportsPending.store(false);
    }
    for (const diag::TraceBox& report : reports) diag::ShowTraceBox(report);
}

void ResetFileFailures() {
    std::lock_guard lock(FailuresMutex);
    FailedFiles.clear();
    PendingReports.clear();
    ReportsPending.store(false);
}

}  // namespace sound
