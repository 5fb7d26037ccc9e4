#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>

#include "platform/sdl/game_controllers.h"
#include "platform/sdl/sdl_keys.h"

namespace platform {

namespace {

Event MakeEvent(EventType type) {
    Event event;
    event.type = type;
    return event;
}

Event SizeEvent(SizeKind kind) {
    Event event = MakeEvent(EventType::Size);
    event.sizeKind = kind;
    return event;
}

}  // namespace

void SdlDeleter::operator()(SDL_Window* window) const {
    SDL_DestroyWindow(window);
}

void SdlDeleter::operator()(SDL_Renderer* renderer) const {
    SDL_DestroyRenderer(renderer);
}

void SdlDeleter::operator()(SDL_Texture* texture) const {
    SDL_DestroyTexture(texture);
}

struct SdlBackend::Queue {
    std::deque<Event> events;
};

SdlBackend::SdlBackend()
    : queue_(std::make_unique<Queue>()), pads_(std::make_unique<GameControllers>(presses_)) {}

SdlBackend::~SdlBackend() {
    CloseAudio();
    CloseWindow();
    SDL_Quit();
}

int SdlBackend::ControllerCount() const {
    return pads_->Count();
}

uint32_t SdlBackend::Ticks() {
    return SDL_GetTicks();
}

bool SdlBackend::KeyDown(int virtualKey) {
    if (virtualKey <= 0 || virtualKey >= vk::Count) return false;
    if (presses_.PressedBeforeThisFrame(virtualKey)) return true;
    if (!videoReady_) return false;
    if (virtualKey == vk::LButton || virtualKey == vk::RButton || virtualKey == vk::MButton) {
        const uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
        if (virtualKey == vk::LButton) return buttons & SDL_BUTTON_LMASK;
        if (virtualKey == vk::RButton) return buttons & SDL_BUTTON_RMASK;
        return buttons & SDL_BUTTON_MMASK;
    }
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    return VirtualKeyDownIn(keys, count, virtualKey);
}

Point SdlBackend::CursorPos() {
    if (!renderer_) return {};
    int wx = 0, wy = 0;
    SDL_GetMouseState(&wx, &wy);
    float lx = 0, ly = 0;
    SDL_RenderWindowToLogical(renderer_.get(), wx, wy, &lx, &ly);
    // Over the letterbox bars the cursor stays on the nearest game pixel.
    int x = static_cast<int>(lx), y = static_cast<int>(ly);
    x = x < 0 ? 0 : (x >= ScreenWidth ? ScreenWidth - 1 : x);
    y = y < 0 ? 0 : (y >= ScreenHeight ? ScreenHeight - 1 : y);
    return {x, y};
}

void SdlBackend::WarpCursor(int x, int y) {
    if (!renderer_ || !window_) return;
    int wx = 0, wy = 0;
    SDL_RenderLogicalToWindow(renderer_.get(), static_cast<float>(x), static_cast<float>(y), &wx,
                              &wy);
    SDL_WarpMouseInWindow(window_.get(), wx, wy);
}

std::string SdlBackend::TakeTypedText() {
    std::string text;
    text.swap(typedText_);
    return text;
}

bool SdlBackend::PadDown(PadButton button) {
    return presses_.PressedBeforeThisFrame(button) || pads_->Holds(button);
}

void SdlBackend::SetTextInputWanted(bool wanted) {
    // SDL's text input is what raises an on-screen keyboard where the machine has one.
    if (!videoReady_ || wanted == static_cast<bool>(SDL_IsTextInputActive())) return;
    if (wanted) {
        SDL_StartTextInput();
    } else {
        SDL_StopTextInput();
    }
}

void SdlBackend::MoveCursorBy(StickVector motion) {
    if (!renderer_ || !window_) return;
    // The game's picture in window pixels: the stick moves within it, at the picture's scale.
    int left = 0, top = 0, right = 0, bottom = 0;
    SDL_RenderLogicalToWindow(renderer_.get(), 0.0f, 0.0f, &left, &top);
    SDL_RenderLogicalToWindow(renderer_.get(), static_cast<float>(ScreenWidth),
                              static_cast<float>(ScreenHeight), &right, &bottom);
    if (right <= left || bottom <= top) return;
    const float scaleX = static_cast<float>(right - left) / ScreenWidth;
    const float scaleY = static_cast<float>(bottom - top) / ScreenHeight;
    Point mouse;
    SDL_GetMouseState(&mouse.x, &mouse.y);
    const StickPointer::Area picture{static_cast<float>(left), static_cast<float>(top),
                                     static_cast<float>(right), static_cast<float>(bottom)};
    const Point to = stickPointer_.Move(mouse, {motion.x * scaleX, motion.y * scaleY}, picture);
    if (to.x != mouse.x || to.y != mouse.y) SDL_WarpMouseInWindow(window_.get(), to.x, to.y);
}

void SdlBackend::BeginFrame() {
    presses_.BeginFrame();
    const StickVector motion = stickMotion_.Step(pads_->LeftStick(), SDL_GetTicks());
    if (motion.x != 0.0f || motion.y != 0.0f) MoveCursorBy(motion);
}

bool SdlBackend::TranslateEvent(const void* raw) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    auto& events = queue_->events;
    switch (e.type) {
        case SDL_QUIT:
            events.push_back(MakeEvent(EventType::Close));
            return true;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_MINIMIZED:
                    events.push_back(SizeEvent(SizeKind::Minimized));
                    return true;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    // Losing the screen to another program counts as a minimise, as it did for a
                    // full-screen game; but only once we ever had it.
                    if (!hadFocus_) return false;
                    events.push_back(SizeEvent(SizeKind::Minimized));
                    return true;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                case SDL_WINDOWEVENT_RESTORED:
                    hadFocus_ = hadFocus_ || e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
                    events.push_back(SizeEvent(SizeKind::Restored));
                    events.push_back(MakeEvent(EventType::Move));
                    return true;
                default:
                    return false;
            }
        case SDL_KEYDOWN:
            if (e.key.repeat != 0) return false;
            presses_.Press(VirtualKeyOfScancode(e.key.keysym.scancode));
            if (IsCloseShortcut(e.key.keysym)) {
                events.push_back(MakeEvent(EventType::Close));
                return true;
            }
            if (IsFullScreenShortcut(e.key.keysym)) ToggleFullScreen();
            return false;
        case SDL_MOUSEBUTTONDOWN:
            presses_.Press(VirtualKeyOfMouseButton(e.button.button));
            return false;
        case SDL_TEXTINPUT:
            typedText_ += e.text.text;
            return false;
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
        case SDL_CONTROLLERAXISMOTION:
            pads_->HandleEvent(e);
            return false;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            // The texture's contents are gone; the next present reports the loss so that the
            // game rebuilds everything, as it did when video memory was lost.
            renderLost_ = true;
            return false;
        default:
            return false;
    }
}

bool SdlBackend::PollEvent(Event& event) {
    auto& events = queue_->events;
    if (videoReady_ && events.empty()) {
        SDL_Event e;
        while (events.empty() && SDL_PollEvent(&e)) TranslateEvent(&e);
    }
    if (events.empty()) {
        BeginFrame();
        return false;
    }
    event = events.front();
    events.pop_front();
    return true;
}

void SdlBackend::WaitEvent() {
    auto& events = queue_->events;
    if (!videoReady_) {
        if (events.empty()) events.push_back(MakeEvent(EventType::Quit));
        return;
    }
    SDL_Event e;
    while (events.empty() && SDL_WaitEvent(&e)) TranslateEvent(&e);
}

void SdlBackend::PostClose() {
    queue_->events.push_back(MakeEvent(EventType::Close));
}

void SdlBackend::PostQuit(int code) {
    Event event = MakeEvent(EventType::Quit);
    event.code = code;
    queue_->events.push_back(event);
}

bool SdlBackend::OpenWindow(const char* title) {
    // The window's class (X11) and application id (Wayland) name the game's desktop entry, so the
    // desktop shows the game's icon and name for its window.
    setenv("SDL_VIDEO_X11_WMCLASS", TQ_APP_ID, 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", TQ_APP_ID, 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "Tannenquirl Rauze: no display available: %s\n", SDL_GetError());
        return false;
    }
    // SDL falls back to an invisible video driver when there is no display; a game nobody can
    // see is no window at all, unless the user asked for that driver by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if (driver && (!std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy")) &&
        !(requested && !std::strcmp(requested, driver))) {
        std::fprintf(stderr, "Tannenquirl Rauze: no display available (is DISPLAY set?)\n");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    // Full screen unless the user asks for a window (Alt+Enter switches later as well). A window is
    // also what a display without a window manager can show correctly.
    const char* windowed = std::getenv("TANNENQUIRL_WINDOWED");
    fullScreen_ = !(windowed && *windowed && std::strcmp(windowed, "0") != 0);
    window_.reset(SDL_CreateWindow(
        title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, ScreenWidth, ScreenHeight,
        SDL_WINDOW_RESIZABLE | (fullScreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0)));
    if (!window_) {
        std::fprintf(stderr, "Tannenquirl Rauze: cannot create the window: %s\n", SDL_GetError());
        return false;
    }
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1,
                                       SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
    if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
    if (!renderer_) {
        std::fprintf(stderr, "Tannenquirl Rauze: cannot create a renderer: %s\n", SDL_GetError());
        window_.reset();
        return false;
    }
    SDL_RendererInfo info;
    vsync_ = SDL_GetRendererInfo(renderer_.get(), &info) == 0 &&
             (info.flags & SDL_RENDERER_PRESENTVSYNC);
    SDL_DisplayMode mode;
    if (SDL_GetWindowDisplayMode(window_.get(), &mode) == 0 && mode.refresh_rate > 0)
        refreshRate_ = mode.refresh_rate;
    SDL_RenderSetLogicalSize(renderer_.get(), ScreenWidth, ScreenHeight);
    if (!CreateTexture()) {
        std::fprintf(stderr, "Tannenquirl Rauze: cannot create the frame texture: %s\n",
                     SDL_GetError());
        CloseWindow();
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    // Typed text is taken once the game asks for it.
    SDL_StopTextInput();
    pads_->Start();
    videoReady_ = true;
    // Showing the window reports its size and position, which makes the game active.
    queue_->events.push_back(SizeEvent(SizeKind::Restored));
    queue_->events.push_back(MakeEvent(EventType::Move));
    return true;
}

bool SdlBackend::CreateTexture() {
    texture_.reset();  // the old one goes before its replacement is made
    texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB565,
                                     SDL_TEXTUREACCESS_STREAMING, ScreenWidth, ScreenHeight));
    return texture_ != nullptr;
}

void SdlBackend::CloseWindow() {
    pads_->Stop();
    texture_.reset();
    renderer_.reset();
    window_.reset();
    videoReady_ = false;
}

void SdlBackend::ToggleFullScreen() {
    if (!window_) return;
    fullScreen_ = !fullScreen_;
    if (fullScreen_) {
        SDL_SetWindowFullscreen(window_.get(), SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window_.get(), 0);
        // A scaled window that fits the desktop comfortably.
        SDL_Rect usable;
        int index = SDL_GetWindowDisplayIndex(window_.get());
        int scale = 1;
        if (index >= 0 && SDL_GetDisplayUsableBounds(index, &usable) == 0) {
            while ((scale + 1) * ScreenWidth <= usable.w * 9 / 10 &&
                   (scale + 1) * ScreenHeight <= usable.h * 9 / 10)
                ++scale;
        }
        SDL_SetWindowSize(window_.get(), ScreenWidth * scale, ScreenHeight * scale);
        SDL_SetWindowPosition(window_.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
}

void SdlBackend::PaceWithoutVsync() {
    // Without vsync, keep to the display's refresh rate: the game counts some motion per frame.
    uint64_t frequency = SDL_GetPerformanceFrequency();
    uint64_t frameTicks = frequency / static_cast<uint64_t>(refreshRate_);
    uint64_t now = SDL_GetPerformanceCounter();
    if (lastPresentCounter_ != 0 && now - lastPresentCounter_ < frameTicks) {
        uint64_t remaining = frameTicks - (now - lastPresentCounter_);
        SDL_Delay(static_cast<uint32_t>(remaining * 1000 / frequency));
        while (SDL_GetPerformanceCounter() - lastPresentCounter_ < frameTicks) {
        }
    }
    lastPresentCounter_ = SDL_GetPerformanceCounter();
}

PresentResult SdlBackend::Present(const uint16_t* pixels, int pitch) {
    if (!renderer_ || !texture_) return PresentResult::Failed;
    if (renderLost_) {
        renderLost_ = false;
        if (!CreateTexture()) return PresentResult::Failed;
        return PresentResult::Lost;
    }
    if (SDL_UpdateTexture(texture_.get(), nullptr, pixels,
                          pitch * static_cast<int>(sizeof(uint16_t))) != 0)
        return PresentResult::Failed;
    SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
    SDL_RenderClear(renderer_.get());
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
    if (!vsync_) PaceWithoutVsync();
    SDL_RenderPresent(renderer_.get());
    return PresentResult::Ok;
}

void SdlBackend::ShowMessageBox(const char* text, const char* caption, bool error) {
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION,
                             caption ? caption : "", text ? text : "", window_.get());
}

void SdlBackend::DebugOutput(const char* text) {
    if (text) std::fputs(text, stderr);
}

void SdlBackend::AudioCallback(void* self, unsigned char* stream, int bytes) {
    auto* backend = static_cast<SdlBackend*>(self);
    std::lock_guard lock(backend->audioMutex_);
    int frames = bytes / static_cast<int>(2 * sizeof(int16_t));
    if (backend->audioPull_) {
        backend->audioPull_(reinterpret_cast<int16_t*>(stream), frames);
    } else {
        SDL_memset(stream, 0, static_cast<size_t>(bytes));
    }
}

bool SdlBackend::OpenAudio(int sampleRate, AudioPull pull) {
    CloseAudio();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "Tannenquirl Rauze: no sound output: %s\n", SDL_GetError());
        return false;
    }
    {
        std::lock_guard lock(audioMutex_);
        audioPull_ = std::move(pull);
    }
    SDL_AudioSpec want{};
    want.freq = sampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &SdlBackend::AudioCallback;
    want.userdata = this;
    SDL_AudioSpec have{};
    audioDevice_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (audioDevice_ == 0) {
        std::fprintf(stderr, "Tannenquirl Rauze: cannot open the sound output: %s\n",
                     SDL_GetError());
        std::lock_guard lock(audioMutex_);
        audioPull_ = nullptr;
        return false;
    }
    SDL_PauseAudioDevice(audioDevice_, 0);
    return true;
}

void SdlBackend::CloseAudio() {
    if (audioDevice_ != 0) {
        SDL_CloseAudioDevice(audioDevice_);
        audioDevice_ = 0;
    }
    std::lock_guard lock(audioMutex_);
    audioPull_ = nullptr;
}

}  // namespace platform
