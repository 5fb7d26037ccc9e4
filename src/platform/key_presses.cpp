#include "platform/key_presses.h"

namespace platform {

void KeyPresses::Press(int virtualKey) {
    if (virtualKey <= 0 || virtualKey >= vk::Count) return;
    arriving_.set(static_cast<size_t>(virtualKey));
    // The generic Shift, Control and Alt went down with either of their keys.
    if (virtualKey == vk::LShift || virtualKey == vk::RShift) arriving_.set(vk::Shift);
    if (virtualKey == vk::LControl || virtualKey == vk::RControl) arriving_.set(vk::Control);
    if (virtualKey == vk::LMenu || virtualKey == vk::RMenu) arriving_.set(vk::Menu);
}

void KeyPresses::Press(PadButton button) {
    padArriving_.set(static_cast<size_t>(button));
}

void KeyPresses::BeginFrame() {
    thisFrame_ = arriving_;
    arriving_.reset();
    padThisFrame_ = padArriving_;
    padArriving_.reset();
}

bool KeyPresses::PressedBeforeThisFrame(int virtualKey) const {
    return virtualKey > 0 && virtualKey < vk::Count &&
           thisFrame_.test(static_cast<size_t>(virtualKey));
}

bool KeyPresses::PressedBeforeThisFrame(PadButton button) const {
    return padThisFrame_.test(static_cast<size_t>(button));
}

}  // namespace platform
