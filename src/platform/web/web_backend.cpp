#include "platform/web/web_backend.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstdio>

#include "platform/web/dom_keys.h"
#include "platform/web/rgba_frame.h"

// ---- the JavaScript half (web_backend.js, Module.tqWeb) ----

// Hands the browser its turn: until its next display frame, or at once in a fast page; a page
// that goes into the background wakes the game too, so that it hears of it.
EM_ASYNC_JS(void, tq_yield_to_browser, (int fast), { await Module.tqWeb.nextFrame(fast); });
// Whether the page's test holds the game before `frame`, and waiting until it lets it go on.
EM_JS(int, tq_held_before, (int frame), { return Module.tqWeb.heldBefore(frame) ? 1 : 0; });
EM_ASYNC_JS(void, tq_wait_while_held, (int frame), { await Module.tqWeb.holdBefore(frame); });
// Waits for an event (or a tenth of a second).
EM_ASYNC_JS(void, tq_wait_for_event, (), { await Module.tqWeb.eventOrTimeout(100); });
EM_ASYNC_JS(void, tq_message_box, (const char* text, const char* caption, int error),
            { await Module.tqWeb.messageBox(UTF8ToString(text), UTF8ToString(caption), !!error); });
EM_JS(void, tq_show_frame, (const uint32_t* rgba), { Module.tqWeb.present(rgba); });
EM_JS(void, tq_frame_measured, (double workMs, double uploadMs),
      { Module.tqWeb.frameMeasured(workMs, uploadMs); });
EM_JS(int, tq_game_point, (int clientX, int clientY),
      { return Module.tqWeb.gamePoint(clientX, clientY); });
EM_JS(void, tq_event_arrived, (), { Module.tqWeb.eventArrived(); });
EM_JS(void, tq_backend_started, (), { Module.tqWeb.started(); });
EM_JS(void, tq_toggle_full_screen, (), { Module.tqWeb.toggleFullScreen(); });
// The mouse comes through pointer events, which the page listens to itself (tq_web_pointer_*).
EM_JS(void, tq_listen_to_pointer, (), { Module.tqWeb.listenToPointer(); });
EM_JS(void, tq_forget_pointer, (), { Module.tqWeb.forgetPointer(); });
EM_JS(void, tq_set_text_wanted, (int wanted), { Module.tqWeb.setTextWanted(!!wanted); });
EM_JS(void, tq_raise_keyboard, (), { Module.tqWeb.raiseKeyboard(); });
EM_JS(int, tq_typing_in_text_field, (), { return Module.tqWeb.typingInTextField() ? 1 : 0; });
EM_JS(int, tq_audio_open, (int sampleRate),
      { return Module.tqWeb.audio.open(sampleRate) ? 1 : 0; });
EM_JS(int, tq_audio_frames_wanted, (), { return Module.tqWeb.audio.framesWanted(); });
EM_JS(void, tq_audio_push, (const int16_t* samples, int frames),
      { Module.tqWeb.audio.push(samples, frames); });
EM_JS(void, tq_audio_close, (), { Module.tqWeb.audio.close(); });

namespace platform::web {

namespace {

WebBackend* ActiveBackend = nullptr;

// A point from tq_game_point: x in the low 16 bits, y above.
Point Unpack(int packed) {
    return {packed & 0xFFFF, (packed >> 16) & 0xFFFF};
}

EM_BOOL KeyCallback(int type, const EmscriptenKeyboardEvent* e, void* self) {
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    return static_cast<WebBackend*>(self)->OnKey(down, e->key, e->code, e->ctrlKey, e->altKey,
                                                 e->metaKey, e->repeat);
}

EM_BOOL TouchCallback(int type, const EmscriptenTouchEvent* e, void* self) {
    auto* backend = static_cast<WebBackend*>(self);
    for (int i = 0; i < e->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = e->touches[i];
        if (!touch.isChanged) continue;
        const Point at =
            Unpack(tq_game_point(static_cast<int>(touch.clientX), static_cast<int>(touch.clientY)));
        backend->OnTouch(type, touch.identifier, static_cast<float>(at.x), static_cast<float>(at.y),
                         e->timestamp);
    }
    backend->OnTouchesDone(type == EMSCRIPTEN_EVENT_TOUCHEND);
    // Handled: the browser sends no mouse press of its own after it (one tap, one click), and
    // neither scrolls nor zooms the page.
    return EM_TRUE;
}

EM_BOOL VisibilityCallback(int, const EmscriptenVisibilityChangeEvent* e, void* self) {
    static_cast<WebBackend*>(self)->OnVisibility(e->hidden);
    return EM_FALSE;
}

EM_BOOL BlurCallback(int, const EmscriptenFocusEvent*, void* self) {
    static_cast<WebBackend*>(self)->OnFocusLost();
    return EM_FALSE;
}

Event MakeEvent(EventType type, SizeKind kind = SizeKind::Restored) {
    Event event;
    event.type = type;
    event.sizeKind = kind;
    return event;
}

}  // namespace

WebBackend::WebBackend(const PageSettings& settings) : settings_(settings) {
    ActiveBackend = this;
    tq_backend_started();
}

WebBackend::~WebBackend() {
    CloseAudio();
    CloseWindow();
    if (ActiveBackend == this) ActiveBackend = nullptr;
    if (CurrentBackend() == this) SetBackend(nullptr);
}

WebBackend* WebBackend::Active() {
    return ActiveBackend;
}

uint32_t WebBackend::Ticks() {
    if (settings_.virtualStepMs > 0) return clock_;
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

bool WebBackend::Held(int virtualKey) const {
    return held_[static_cast<size_t>(virtualKey)] || presses_.PressedBeforeThisFrame(virtualKey);
}

bool WebBackend::KeyDown(int virtualKey) {
    return VirtualKeyDownBy(virtualKey, [this](int key) { return Held(key); });
}

void WebBackend::WarpCursor(int x, int y) {
    // A page cannot move the pointer; the game's own crosshair goes there until the mouse moves.
    cursor_.x = std::clamp(x, 0, ScreenWidth - 1);
    cursor_.y = std::clamp(y, 0, ScreenHeight - 1);
}

std::string WebBackend::TakeTypedText() {
    std::string text;
    text.swap(typedText_);
    return text;
}

bool WebBackend::PadDown(PadButton button) {
    return presses_.PressedBeforeThisFrame(button) || pads_.Holds(button);
}

void WebBackend::SetTextInputWanted(bool wanted) {
    if (wanted != textWanted_) tq_set_text_wanted(wanted);
    textWanted_ = wanted;
}

void WebBackend::BeginCycle() {
    cycleOpen_ = true;
    // A frame that presented nothing has not let the browser in yet.
    if (!presentedThisFrame_) YieldToBrowser();
    presentedThisFrame_ = false;
    ++frame_;
    if (settings_.virtualStepMs > 0) clock_ += static_cast<uint32_t>(settings_.virtualStepMs);
    if (tq_held_before(frame_)) {
        // The test that holds the game looks at the last frame.
        ShowFrame();
        while (tq_held_before(frame_)) tq_wait_while_held(frame_);
    }
    if (beforeFrame_) beforeFrame_();
    TopUpAudio();
    workStartMs_ = emscripten_get_now();
}

void WebBackend::BeginFrame() {
    if (inputScript_) inputScript_(*this, frame_);
    // A button the pads went down with now is this frame's press.
    SamplePads();
    presses_.BeginFrame();
    const StickVector motion = stickMotion_.Step(pads_.LeftStick(), Ticks());
    if (motion.x != 0.0f || motion.y != 0.0f) {
        const StickPointer::Area screen{0.0f, 0.0f, static_cast<float>(ScreenWidth),
                                        static_cast<float>(ScreenHeight)};
        cursor_ = stickPointer_.Move(cursor_, motion, screen);
    }
}

bool WebBackend::PollEvent(Event& event) {
    if (!cycleOpen_) BeginCycle();
    if (!events_.empty()) {
        event = events_.front();
        events_.pop_front();
        return true;
    }
    cycleOpen_ = false;
    BeginFrame();
    return false;
}

void WebBackend::WaitEvent() {
    while (events_.empty()) tq_wait_for_event();
}

void WebBackend::PostClose() {
    events_.push_back(MakeEvent(EventType::Close));
    tq_event_arrived();
}

void WebBackend::PostQuit(int code) {
    Event event = MakeEvent(EventType::Quit);
    event.code = code;
    events_.push_back(event);
    tq_event_arrived();
}

bool WebBackend::OpenWindow(const char*) {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, this, EM_TRUE, KeyCallback);
    emscripten_set_keyup_callback(window, this, EM_TRUE, KeyCallback);
    tq_listen_to_pointer();
    emscripten_set_touchstart_callback("#canvas", this, EM_TRUE, TouchCallback);
    emscripten_set_touchmove_callback("#canvas", this, EM_TRUE, TouchCallback);
    emscripten_set_touchend_callback("#canvas", this, EM_TRUE, TouchCallback);
    emscripten_set_touchcancel_callback("#canvas", this, EM_TRUE, TouchCallback);
    emscripten_set_visibilitychange_callback(this, EM_TRUE, VisibilityCallback);
    emscripten_set_blur_callback(window, this, EM_TRUE, BlurCallback);
    windowOpen_ = true;
    // Showing the window reports its size and position, which makes the game active.
    events_.push_back(MakeEvent(EventType::Size));
    events_.push_back(MakeEvent(EventType::Move));
    return true;
}

void WebBackend::CloseWindow() {
    if (!windowOpen_) return;
    emscripten_html5_remove_all_event_listeners();
    tq_forget_pointer();
    windowOpen_ = false;
}

PresentResult WebBackend::Present(const uint16_t* pixels, int pitch) {
    if (!windowOpen_) return PresentResult::Failed;
    const double drawn = emscripten_get_now();
    unshownPixels_ = pixels;
    unshownPitch_ = pitch;
    // A fast page shows only the frames of the browser's turns.
    const bool show = BrowserTurnDue();
    if (show) ShowFrame();
    tq_frame_measured(drawn - workStartMs_, show ? emscripten_get_now() - drawn : -1.0);
    presentedThisFrame_ = true;
    YieldToBrowser();
    TopUpAudio();
    workStartMs_ = emscripten_get_now();
    return PresentResult::Ok;
}

void WebBackend::ShowFrame() {
    // The game draws its next frame only after the next cycle has begun: until then its picture
    // is the one it presented.
    if (!unshownPixels_) return;
    ToRgba(unshownPixels_, unshownPitch_, ScreenWidth, ScreenHeight, rgba_.data());
    tq_show_frame(rgba_.data());
    unshownPixels_ = nullptr;
}

bool WebBackend::BrowserTurnDue() const {
    // A fast page (for tests and measurements) hands over a few times a second: often enough for
    // the tests' look at the page and its picture. Each turn costs the browser milliseconds of
    // its own work, as much as dozens of the game's frames.
    return !settings_.fast || emscripten_get_now() - yieldedMs_ >= FastTurnMs;
}

void WebBackend::YieldToBrowser() {
    if (!BrowserTurnDue()) return;
    tq_yield_to_browser(settings_.fast);
    yieldedMs_ = emscripten_get_now();
}

void WebBackend::ShowMessageBox(const char* text, const char* caption, bool error) {
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    tq_message_box(text ? text : "", caption ? caption : "", error);
    // The keys and clicks that answered the box are not the game's.
    presses_ = KeyPresses{};
    held_.fill(false);
}

void WebBackend::DebugOutput(const char* text) {
    if (text) std::fputs(text, stderr);
}

bool WebBackend::OpenAudio(int sampleRate, AudioPull pull) {
    CloseAudio();
    if (!tq_audio_open(sampleRate)) return false;
    audioPull_ = std::move(pull);
    return true;
}

void WebBackend::CloseAudio() {
    if (!audioPull_) return;
    tq_audio_close();
    audioPull_ = nullptr;
}

void WebBackend::TopUpAudio() {
    if (!audioPull_) return;
    const int frames = tq_audio_frames_wanted();
    if (frames <= 0) return;
    audioScratch_.resize(static_cast<size_t>(frames) * 2);
    audioPull_(audioScratch_.data(), frames);
    tq_audio_push(audioScratch_.data(), frames);
}

void WebBackend::SamplePads() {
    // A browser without gamepads (or one not yet told of any by a press) samples none.
    std::vector<EmscriptenGamepadEvent> states;
    if (emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS) {
        const int count = emscripten_get_num_gamepads();
        for (int i = 0; i < count; ++i) {
            EmscriptenGamepadEvent state;
            if (emscripten_get_gamepad_status(i, &state) == EMSCRIPTEN_RESULT_SUCCESS &&
                state.connected)
                states.push_back(state);
        }
    }
    std::vector<GamepadReading> readings;
    for (const EmscriptenGamepadEvent& state : states) {
        GamepadReading reading;
        reading.index = state.index;
        reading.mapping = state.mapping;
        reading.buttonCount = state.numButtons;
        reading.buttonValues = state.analogButton;
        reading.buttonsPressed = state.digitalButton;
        reading.axisCount = state.numAxes;
        reading.axes = state.axis;
        readings.push_back(reading);
    }
    pads_.Update(readings);
}

void WebBackend::Press(int virtualKey) {
    presses_.Press(virtualKey);
    tq_event_arrived();
}

void WebBackend::Press(PadButton button) {
    presses_.Press(button);
    tq_event_arrived();
}

bool WebBackend::OnKey(bool down, const char* key, const char* code, bool ctrl, bool alt, bool meta,
                       bool repeat) {
    if (BrowserKeepsKey(code, ctrl, alt, meta)) return false;
    const int virtualKey = VirtualKeyOfCode(code);
    if (!down) {
        if (virtualKey > 0) held_[static_cast<size_t>(virtualKey)] = false;
        return true;
    }
    if (repeat) return true;
    if (virtualKey > 0) {
        held_[static_cast<size_t>(virtualKey)] = true;
        Press(virtualKey);
    }
    if (IsCloseShortcut(key, code, alt)) {
        PostClose();
        return true;
    }
    if (IsFullScreenShortcut(code, alt)) {
        tq_toggle_full_screen();
        return true;
    }
    // A phone's keyboard types into the page's text field, which hands its text over itself.
    if (!tq_typing_in_text_field()) typedText_ += TypedTextOfKey(key, ctrl, alt, meta);
    return true;
}

void WebBackend::SetCursorFromClient(int clientX, int clientY) {
    cursor_ = Unpack(tq_game_point(clientX, clientY));
}

void WebBackend::OnMouseMove(int clientX, int clientY, int buttons) {
    SetCursorFromClient(clientX, clientY);
    // A button released outside the page never reported its release.
    if (!(buttons & 1)) held_[vk::LButton] = false;
    if (!(buttons & 2)) held_[vk::RButton] = false;
    if (!(buttons & 4)) held_[vk::MButton] = false;
}

void WebBackend::OnMouseButton(bool down, int button, int clientX, int clientY) {
    const int virtualKey = VirtualKeyOfMouseButton(button);
    if (virtualKey == 0) return;
    if (down) SetCursorFromClient(clientX, clientY);
    held_[static_cast<size_t>(virtualKey)] = down;
    if (down) Press(virtualKey);
}

void WebBackend::OnTouch(int eventType, long id, float x, float y, double ms) {
    switch (eventType) {
        case EMSCRIPTEN_EVENT_TOUCHSTART:
            touches_.Begin(id, x, y, ms);
            break;
        case EMSCRIPTEN_EVENT_TOUCHMOVE:
            touches_.Move(id, x, y, ms);
            break;
        case EMSCRIPTEN_EVENT_TOUCHEND:
            touches_.End(id, x, y, ms);
            break;
        default:
            touches_.Cancel(id);
            break;
    }
}

void WebBackend::OnTouchesDone(bool ended) {
    const std::vector<TouchAction> actions = touches_.TakeActions();
    // Typed text is wanted: a touch raises the on-screen keyboard (browsers allow that only while
    // they hand the page a touch) and clicks nothing, so that the typing goes on.
    if (textWanted_) {
        if (ended) tq_raise_keyboard();
        return;
    }
    for (const TouchAction& action : actions) {
        switch (action.kind) {
            case TouchAction::Kind::Pointer:
                WarpCursor(action.x, action.y);
                break;
            case TouchAction::Kind::Tap:
                WarpCursor(action.x, action.y);
                Press(vk::LButton);
                break;
            case TouchAction::Kind::SecondFingerTap:
                Press(vk::RButton);
                break;
            case TouchAction::Kind::SwipeRight:
                Press(PadButton::RightShoulder);
                break;
            case TouchAction::Kind::SwipeLeft:
                Press(PadButton::LeftShoulder);
                break;
            case TouchAction::Kind::ThreeFingerTap:
                Press(PadButton::Back);
                break;
        }
    }
}

void WebBackend::OnVisibility(bool hidden) {
    // A page in the background is a minimised game: the game hears it as minimised
    // until it comes back.
    if (hidden) {
        events_.push_back(MakeEvent(EventType::Size, SizeKind::Minimized));
    } else {
        events_.push_back(MakeEvent(EventType::Size, SizeKind::Restored));
        events_.push_back(MakeEvent(EventType::Move));
    }
    tq_event_arrived();
}

void WebBackend::OnFocusLost() {
    // Keys let go of while the page had no focus never report their release.
    held_.fill(false);
}

void WebBackend::ScriptKey(int virtualKey, bool down) {
    if (virtualKey <= 0 || virtualKey >= vk::Count) return;
    if (down && !held_[static_cast<size_t>(virtualKey)]) presses_.Press(virtualKey);
    held_[static_cast<size_t>(virtualKey)] = down;
}

void WebBackend::OnTypedText(const char* utf8) {
    if (utf8) typedText_ += utf8;
}

void WebBackend::OnKeyClicked(int virtualKey) {
    if (virtualKey > 0 && virtualKey < vk::Count) Press(virtualKey);
}

}  // namespace platform::web

// The page's text field (the on-screen keyboard of a phone) hands over what was typed into it.
extern "C" EMSCRIPTEN_KEEPALIVE void tq_web_typed_text(const char* utf8) {
    if (platform::web::ActiveBackend) platform::web::ActiveBackend->OnTypedText(utf8);
}

extern "C" EMSCRIPTEN_KEEPALIVE void tq_web_pointer_moved(int clientX, int clientY, int buttons) {
    if (platform::web::ActiveBackend)
        platform::web::ActiveBackend->OnMouseMove(clientX, clientY, buttons);
}

extern "C" EMSCRIPTEN_KEEPALIVE void tq_web_pointer_button(int down, int button, int clientX,
                                                           int clientY) {
    if (platform::web::ActiveBackend)
        platform::web::ActiveBackend->OnMouseButton(down != 0, button, clientX, clientY);
}

extern "C" EMSCRIPTEN_KEEPALIVE void tq_web_key_clicked(int virtualKey) {
    if (platform::web::ActiveBackend) platform::web::ActiveBackend->OnKeyClicked(virtualKey);
}

// The page's sound output is running low while the game waits for the browser.
extern "C" EMSCRIPTEN_KEEPALIVE void tq_web_top_up_audio() {
    if (platform::web::ActiveBackend) platform::web::ActiveBackend->TopUpAudio();
}
