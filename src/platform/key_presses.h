// Presses that must not be lost between two frames.
//
// The game polls its keys and controller buttons once a frame. A press and a release that both
// arrive between two polls (a touchpad's tap-to-click, a tap on a touch screen, a quick click or
// key or button tap) would never be seen down. Each backend notes every press here as it arrives;
// when a frame begins, the presses noted since the previous frame become that frame's, and each
// of those keys and buttons reads down for the whole frame whatever its state. Holding one is the
// backend's own state and is not changed.
#pragma once

#include <bitset>

#include "platform/platform.h"

namespace platform {

class KeyPresses {
  public:
    // A key or button went down.
    void Press(int virtualKey);
    void Press(PadButton button);
    // A frame begins: the presses noted since the last frame are this frame's.
    void BeginFrame();
    // Whether the key or button went down between the previous frame and this one.
    bool PressedBeforeThisFrame(int virtualKey) const;
    bool PressedBeforeThisFrame(PadButton button) const;

  private:
    std::bitset<vk::Count> arriving_;
    std::bitset<vk::Count> thisFrame_;
    std::bitset<PadButtonCount> padArriving_;
    std::bitset<PadButtonCount> padThisFrame_;
};

// Whether `virtualKey` is down as `down(key)` tells of each key: the generic Shift, Control and
// Alt keys stand for themselves and either of their left and right keys.
template <typename KeyDownFn>
bool VirtualKeyDownBy(int virtualKey, KeyDownFn down) {
    if (virtualKey <= 0 || virtualKey >= vk::Count) return false;
    switch (virtualKey) {
        case vk::Shift:
            return down(vk::Shift) || down(vk::LShift) || down(vk::RShift);
        case vk::Control:
            return down(vk::Control) || down(vk::LControl) || down(vk::RControl);
        case vk::Menu:
            return down(vk::Menu) || down(vk::LMenu) || down(vk::RMenu);
        default:
            return down(virtualKey);
    }
}

}  // namespace platform
