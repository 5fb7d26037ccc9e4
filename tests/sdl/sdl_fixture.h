// An SDL backend with its window open on SDL's dummy video driver, installed as the platform.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/sdl/sdl_backend.h"

namespace sdl_testing {

class SdlBackendTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(backend_.OpenWindow("Tannenquirl Rauze"));
        platform::SetBackend(&backend_);
        Poll();  // the notifications of showing the window
    }
    void TearDown() override { platform::SetBackend(nullptr); }

    // What the message loop does before a frame: takes every notification until nothing waits,
    // which begins the next frame. Returns the notifications.
    std::vector<platform::Event> Poll() {
        std::vector<platform::Event> events;
        platform::Event event;
        while (backend_.PollEvent(event)) events.push_back(event);
        return events;
    }
    static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
    static SDL_Event Key(uint32_t type, SDL_Scancode code, SDL_Keycode sym = SDLK_UNKNOWN,
                         uint16_t mod = KMOD_NONE) {
        SDL_Event event{};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = code;
        event.key.keysym.sym = sym;
        event.key.keysym.mod = mod;
        return event;
    }
    static SDL_Event Window(SDL_WindowEventID id) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = static_cast<uint8_t>(id);
        return event;
    }

    platform::SdlBackend backend_;
};

}  // namespace sdl_testing
