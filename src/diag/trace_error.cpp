#include "diag/trace_error.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "diag/result_code_name.h"
#include "platform/platform.h"

namespace diag {

namespace {

// Texts that would make a box (or a debugger prefix) this long are not shown.
constexpr size_t kMaxTextLength = 3000;
constexpr size_t kFormatAllowance = 200;

size_t LengthOf(const char* text) {
    return text ? std::strlen(text) : 0;
}

// Each thread holds its own boxes. The browser build has one thread, and its WebAssembly keeps no
// thread-local storage without the threads' own instructions.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
HeldTraceBoxes* HeldOnThisThread = nullptr;
#else
thread_local HeldTraceBoxes* HeldOnThisThread = nullptr;
#endif

}  // namespace

HeldTraceBoxes::HeldTraceBoxes() : outer_(HeldOnThisThread) {
    HeldOnThisThread = this;
}

HeldTraceBoxes::~HeldTraceBoxes() {
    HeldOnThisThread = outer_;
}

void ShowTraceBox(const TraceBox& box) {
    platform::ShowMessageBox(box.text.c_str(), box.caption.c_str(), true);
}

HRESULT TraceError(const char* file, long line, HRESULT hr, const char* calling, bool showBox) {
    char lineText[32];
    std::snprintf(lineText, sizeof lineText, "%ld", line);

    // Everything lives in locals: the main thread and the music thread may trace at once.
    if (file && std::strlen(file) + kFormatAllowance < kMaxTextLength) {
        std::string prefix = std::string(file) + "(" + lineText + "): ";
        platform::DebugOutput(prefix.c_str());
    }
    if (calling) platform::DebugOutput(calling);

    char codeText[128];
    std::snprintf(codeText, sizeof codeText, "%s (0x%08x)", ResultCodeName(hr),
                  static_cast<unsigned>(hr));
    std::string codeLine = std::string(" (hr=") + codeText + ")";
    platform::DebugOutput(codeLine.c_str());
    platform::DebugOutput("\n");

    if (!showBox) return hr;

    const size_t total =
        LengthOf(file) + LengthOf(calling) + std::strlen(codeText) + std::strlen(lineText);
    if (total + kFormatAllowance < kMaxTextLength) {
        TraceBox box{std::string("File: ") + (file ? file : "(null)") + "\nLine: " + lineText +
                         "\nError Code: " + codeText +
                         "\nCalling: " + (calling ? calling : "(null)"),
                     "Unexpected error encountered"};
        if (HeldOnThisThread) {
            HeldOnThisThread->boxes_.push_back(std::move(box));
        } else {
            ShowTraceBox(box);
        }
    }
    return hr;
}

}  // namespace diag
