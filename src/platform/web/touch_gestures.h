// Gestures on the game's picture. A phone has no mouse, no keys and no controller, so the touch
// screen stands in for them, and the game decides what that means as it does for them:
//  - a finger put down moves the pointer there, and dragged moves it on (to the edges, where the
//    view scrolls) without pressing anything;
//  - a tap is a click of the left button where it lands;
//  - a second finger's tap, while the first is down or together with it, is a right click;
//  - two fingers swiped sideways are a controller's right (swiped right) or left shoulder button;
//  - a tap with three fingers is a controller's Back button.
// Positions are game pixels; times milliseconds.
#pragma once

#include <vector>

namespace platform::web {

struct TouchAction {
    enum class Kind { Pointer, Tap, SecondFingerTap, SwipeRight, SwipeLeft, ThreeFingerTap };
    Kind kind = Kind::Pointer;
    // Where the pointer goes, or where the tap landed.
    int x = 0;
    int y = 0;
};

class TouchGestures {
  public:
    // How far a finger may wander and how long it may stay down and still tap.
    static constexpr float TapSlop = 16.0f;
    static constexpr double TapMs = 400.0;
    // How far both fingers of a swipe travel sideways.
    static constexpr float SwipeDistance = 120.0f;

    void Begin(long id, float x, float y, double ms);
    void Move(long id, float x, float y, double ms);
    void End(long id, float x, float y, double ms);
    // The browser took the touch over (a system gesture): the rest of this gesture does nothing.
    void Cancel(long id);

    // The actions since the last call, in order.
    std::vector<TouchAction> TakeActions();

  private:
    struct Finger {
        long id = 0;
        int order = 0;  // 1 for the gesture's first finger, 2 for the second ...
        float startX = 0.0f;
        float startY = 0.0f;
        float x = 0.0f;
        float y = 0.0f;
        double startMs = 0.0;
        bool moved = false;
    };

    Finger* Find(long id);
    void Emit(TouchAction::Kind kind, float x = 0.0f, float y = 0.0f);
    void CheckSwipe();

    std::vector<Finger> fingers_;
    std::vector<TouchAction> actions_;
    // The gesture that began when the first finger went down and ends when the last one lifts.
    int fingersSeen_ = 0;
    double gestureStartMs_ = 0.0;
    bool anyMoved_ = false;
    bool swiped_ = false;
    bool secondTapped_ = false;
    bool cancelled_ = false;
};

}  // namespace platform::web
