// The touch gestures of the page: what one, two and three fingers stand for.
#include "platform/web/touch_gestures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::web::TouchAction;
using platform::web::TouchGestures;
using Kind = TouchAction::Kind;

std::vector<Kind> Kinds(const std::vector<TouchAction>& actions) {
    std::vector<Kind> kinds;
    for (const TouchAction& action : actions) kinds.push_back(action.kind);
    return kinds;
}

TEST(TouchGestures, ATapMovesThePointerAndClicksWhereItLandsEveryTime) {
    TouchGestures touches;
    touches.Begin(1, 120.0f, 340.0f, 1000.0);
    touches.Move(1, 124.0f, 338.0f, 1050.0);  // a finger never lies quite still
    touches.End(1, 125.0f, 337.0f, 1100.0);
    const std::vector<TouchAction> actions = touches.TakeActions();
    ASSERT_EQ(Kinds(actions), (std::vector<Kind>{Kind::Pointer, Kind::Pointer, Kind::Tap}));
    EXPECT_EQ(actions.back().x, 120);
    EXPECT_EQ(actions.back().y, 340);
    // Quick taps one after the other are clicks one after the other.
    for (int i = 0; i < 3; ++i) {
        touches.Begin(2 + i, 400.0f, 300.0f, 1200.0 + 100.0 * i);
        touches.End(2 + i, 400.0f, 300.0f, 1250.0 + 100.0 * i);
    }
    EXPECT_EQ(Kinds(touches.TakeActions()),
              (std::vector<Kind>{Kind::Pointer, Kind::Tap, Kind::Pointer, Kind::Tap, Kind::Pointer,
                                 Kind::Tap}));
    EXPECT_TRUE(touches.TakeActions().empty());
}

TEST(TouchGestures, ADragOrALongPressMovesThePointerWithoutClicking) {
    TouchGestures touches;
    touches.Begin(1, 100.0f, 300.0f, 0.0);
    touches.Move(1, 200.0f, 300.0f, 100.0);
    touches.Move(1, 790.0f, 310.0f, 200.0);  // to the edge, where the view scrolls
    touches.End(1, 790.0f, 310.0f, 250.0);
    const std::vector<TouchAction> actions = touches.TakeActions();
    EXPECT_EQ(Kinds(actions), (std::vector<Kind>{Kind::Pointer, Kind::Pointer, Kind::Pointer}));
    EXPECT_EQ(actions.back().x, 790);

    touches.Begin(2, 300.0f, 300.0f, 1000.0);
    touches.End(2, 300.0f, 300.0f, 1000.0 + TouchGestures::TapMs + 1);
    EXPECT_EQ(Kinds(touches.TakeActions()), (std::vector<Kind>{Kind::Pointer}));

    // A finger that wanders off and comes back has dragged.
    touches.Begin(3, 300.0f, 300.0f, 2000.0);
    touches.Move(3, 340.0f, 300.0f, 2050.0);
    touches.End(3, 300.0f, 300.0f, 2100.0);
    EXPECT_EQ(Kinds(touches.TakeActions()), (std::vector<Kind>{Kind::Pointer, Kind::Pointer}));
}

TEST(TouchGestures, ASecondFingersTapIsOneRightClickAndNoLeftClick) {
    TouchGestures touches;
    // Pointing with one finger, tapping with another, pointing on.
    touches.Begin(1, 300.0f, 300.0f, 0.0);
    touches.Begin(2, 600.0f, 400.0f, 500.0);
    touches.End(2, 600.0f, 400.0f, 600.0);
    touches.Move(1, 360.0f, 300.0f, 700.0);
    touches.End(1, 360.0f, 300.0f, 800.0);
    EXPECT_EQ(Kinds(touches.TakeActions()),
              (std::vector<Kind>{Kind::Pointer, Kind::SecondFingerTap, Kind::Pointer}));

    // Two fingers tapped together, the first one lifted first: one right click.
    touches.Begin(3, 300.0f, 300.0f, 1000.0);
    touches.Begin(4, 500.0f, 300.0f, 1020.0);
    touches.End(3, 300.0f, 300.0f, 1100.0);
    touches.End(4, 500.0f, 300.0f, 1110.0);
    EXPECT_EQ(Kinds(touches.TakeActions()),
              (std::vector<Kind>{Kind::Pointer, Kind::SecondFingerTap}));

    // A second finger that rested is no tap.
    touches.Begin(5, 300.0f, 300.0f, 2000.0);
    touches.Begin(6, 500.0f, 300.0f, 2010.0);
    touches.End(6, 500.0f, 300.0f, 2010.0 + TouchGestures::TapMs + 1);
    touches.End(5, 300.0f, 300.0f, 3000.0);
    EXPECT_EQ(Kinds(touches.TakeActions()), (std::vector<Kind>{Kind::Pointer}));
}

TEST(TouchGestures, TwoFingersSwipedSidewaysSwipeOnce) {
    TouchGestures touches;
    touches.Begin(1, 200.0f, 300.0f, 0.0);
    touches.Begin(2, 260.0f, 360.0f, 10.0);
    for (float dx = 40.0f; dx <= 240.0f; dx += 40.0f) {
        touches.Move(1, 200.0f + dx, 305.0f, dx);
        touches.Move(2, 260.0f + dx, 350.0f, dx);
    }
    touches.End(1, 440.0f, 305.0f, 300.0);
    touches.End(2, 500.0f, 350.0f, 300.0);
    EXPECT_EQ(Kinds(touches.TakeActions()), (std::vector<Kind>{Kind::Pointer, Kind::SwipeRight}));

    touches.Begin(3, 600.0f, 300.0f, 1000.0);
    touches.Begin(4, 660.0f, 300.0f, 1000.0);
    touches.Move(3, 400.0f, 300.0f, 1100.0);
    touches.Move(4, 460.0f, 300.0f, 1100.0);
    touches.End(3, 400.0f, 300.0f, 1200.0);
    touches.End(4, 460.0f, 300.0f, 1200.0);
    EXPECT_EQ(Kinds(touches.TakeActions()), (std::vector<Kind>{Kind::Pointer, Kind::SwipeLeft}));

    // Two fingers moving apart (a pinch) or up the screen swipe nothing.
    touches.Begin(5, 300.0f, 300.0f, 2000.0);
    touches.Begin(6, 400.0f, 300.0f, 2000.0);
    touches.Move(5, 100.0f, 300.0f, 2100.0);
    touches.Move(6, 600.0f, 300.0f, 2100.0);
    touches.End(5, 100.0f, 300.0f, 2200.0);
    touches.End(6, 600.0f, 300.0f, 2200.0);
    touches.Begin(7, 300.0f, 500.0f, 3000.0);
    touches.Begin(8, 400.0f, 500.0f, 3000.0);
    touches.Move(7, 350.0f, 100.0f, 3100.0);
    touches.Move(8, 450.0f, 100.0f, 3100.0);
    touches.End(7, 350.0f, 100.0f, 3200.0);
    touches.End(8, 450.0f, 100.0f, 3200.0);
    EXPECT_EQ(Kinds(touches.TakeActions()), (std::vector<Kind>{Kind::Pointer, Kind::Pointer}));
}

TEST(TouchGestures, ThreeFingersTapOnceAndACancelledGestureDoesNothing) {
    TouchGestures touches;
    touches.Begin(1, 200.0f, 200.0f, 0.0);
    touches.Begin(2, 400.0f, 200.0f, 15.0);
    touches.Begin(3, 600.0f, 200.0f, 30.0);
    touches.End(2, 400.0f, 200.0f, 120.0);
    touches.End(1, 200.0f, 200.0f, 125.0);
    touches.End(3, 600.0f, 200.0f, 130.0);
    EXPECT_EQ(Kinds(touches.TakeActions()),
              (std::vector<Kind>{Kind::Pointer, Kind::ThreeFingerTap}));

    // The browser took the touch over (a system gesture from the screen's edge).
    touches.Begin(4, 400.0f, 300.0f, 1000.0);
    touches.Cancel(4);
    touches.Begin(5, 400.0f, 300.0f, 1100.0);
    touches.End(5, 400.0f, 300.0f, 1150.0);
    EXPECT_EQ(Kinds(touches.TakeActions()),
              (std::vector<Kind>{Kind::Pointer, Kind::Pointer, Kind::Tap}));
    // A touch the recogniser never saw begin changes nothing.
    touches.Move(9, 10.0f, 10.0f, 2000.0);
    touches.End(9, 10.0f, 10.0f, 2000.0);
    EXPECT_TRUE(touches.TakeActions().empty());
}

}  // namespace
