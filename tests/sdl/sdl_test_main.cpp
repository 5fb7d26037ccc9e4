// The SDL backend's tests run without a display or a sound card: SDL's dummy drivers, a window in
// no screen, controllers that are SDL's virtual joysticks.
#include <SDL_hints.h>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("TANNENQUIRL_WINDOWED", "1", 1);
    // The dummy window never has the focus; controllers must still be heard. (An environment
    // variable, because every test's SDL_Quit clears the hints.)
    setenv(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1", 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
