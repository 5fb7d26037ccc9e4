#include "platform/platform.h"

#include <cstdio>

namespace platform {

namespace {
Backend* installed = nullptr;
}

void SetBackend(Backend* backend) {
    installed = backend;
}
Backend* CurrentBackend() {
    return installed;
}

uint32_t Ticks() {
    return installed ? installed->Ticks() : 0;
}
bool KeyDown(int virtualKey) {
    return installed && installed->KeyDown(virtualKey);
}
Point CursorPos() {
    return installed ? installed->CursorPos() : Point{};
}
void WarpCursor(int x, int y) {
    if (installed) installed->WarpCursor(x, y);
}
bool PadDown(PadButton button) {
    return installed && installed->PadDown(button);
}
std::string TakeTypedText() {
    return installed ? installed->TakeTypedText() : std::string();
}
void SetTextInputWanted(bool wanted) {
    if (installed) installed->SetTextInputWanted(wanted);
}
bool PollEvent(Event& event) {
    return installed && installed->PollEvent(event);
}
void WaitEvent() {
    if (installed) installed->WaitEvent();
}
void PostClose() {
    if (installed) installed->PostClose();
}
void PostQuit(int code) {
    if (installed) installed->PostQuit(code);
}
PresentResult Present(const uint16_t* pixels, int pitch) {
    return installed ? installed->Present(pixels, pitch) : PresentResult::Failed;
}
void ShowMessageBox(const char* text, const char* caption, bool error) {
    if (installed) {
        installed->ShowMessageBox(text, caption, error);
    } else {
        std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    }
}
void DebugOutput(const char* text) {
    if (installed) {
        installed->DebugOutput(text);
    } else if (text) {
        std::fputs(text, stderr);
    }
}
bool OpenAudio(int sampleRate, AudioPull pull) {
    return installed && installed->OpenAudio(sampleRate, std::move(pull));
}
void CloseAudio() {
    if (installed) installed->CloseAudio();
}

}  // namespace platform
