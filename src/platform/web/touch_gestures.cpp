#include "platform/web/touch_gestures.h"

#include <algorithm>
#include <cmath>

namespace platform::web {

TouchGestures::Finger* TouchGestures::Find(long id) {
    for (Finger& finger : fingers_) {
        if (finger.id == id) return &finger;
    }
    return nullptr;
}

void TouchGestures::Emit(TouchAction::Kind kind, float x, float y) {
    TouchAction action;
    action.kind = kind;
    action.x = static_cast<int>(std::lround(x));
    action.y = static_cast<int>(std::lround(y));
    actions_.push_back(action);
}

void TouchGestures::Begin(long id, float x, float y, double ms) {
    if (Find(id)) return;
    if (fingers_.empty()) {
        fingersSeen_ = 0;
        gestureStartMs_ = ms;
        anyMoved_ = swiped_ = secondTapped_ = cancelled_ = false;
    }
    Finger finger;
    finger.id = id;
    finger.order = ++fingersSeen_;
    finger.startX = finger.x = x;
    finger.startY = finger.y = y;
    finger.startMs = ms;
    fingers_.push_back(finger);
    if (finger.order == 1 && !cancelled_) Emit(TouchAction::Kind::Pointer, x, y);
}

void TouchGestures::Move(long id, float x, float y, double) {
    Finger* finger = Find(id);
    if (!finger) return;
    finger->x = x;
    finger->y = y;
    if (std::hypot(x - finger->startX, y - finger->startY) > TapSlop) {
        finger->moved = true;
        anyMoved_ = true;
    }
    if (cancelled_) return;
    if (fingers_.size() >= 2) {
        CheckSwipe();
    } else if (finger->order == 1) {
        Emit(TouchAction::Kind::Pointer, x, y);
    }
}

void TouchGestures::CheckSwipe() {
    if (swiped_ || fingers_.size() != 2) return;
    const float dx0 = fingers_[0].x - fingers_[0].startX;
    const float dx1 = fingers_[1].x - fingers_[1].startX;
    const float dy0 = fingers_[0].y - fingers_[0].startY;
    const float dy1 = fingers_[1].y - fingers_[1].startY;
    const bool sideways = std::fabs(dx0) > std::fabs(dy0) && std::fabs(dx1) > std::fabs(dy1);
    const bool together = (dx0 > 0.0f) == (dx1 > 0.0f);
    if (!sideways || !together || std::min(std::fabs(dx0), std::fabs(dx1)) < SwipeDistance) return;
    swiped_ = true;
    Emit(dx0 > 0.0f ? TouchAction::Kind::SwipeRight : TouchAction::Kind::SwipeLeft);
}

void TouchGestures::End(long id, float x, float y, double ms) {
    Finger* found = Find(id);
    if (!found) return;
    found->x = x;
    found->y = y;
    if (std::hypot(x - found->startX, y - found->startY) > TapSlop) {
        found->moved = true;
        anyMoved_ = true;
    }
    const Finger finger = *found;
    fingers_.erase(fingers_.begin() + (found - fingers_.data()));
    if (cancelled_ || swiped_) return;

    const bool tapped = !finger.moved && ms - finger.startMs < TapMs;
    if (fingersSeen_ == 1) {
        if (tapped) Emit(TouchAction::Kind::Tap, finger.startX, finger.startY);
    } else if (fingersSeen_ == 2) {
        if (finger.order == 2 && tapped && !secondTapped_) {
            secondTapped_ = true;
            Emit(TouchAction::Kind::SecondFingerTap);
        }
    } else if (fingersSeen_ == 3 && fingers_.empty()) {
        if (!anyMoved_ && ms - gestureStartMs_ < 2 * TapMs) Emit(TouchAction::Kind::ThreeFingerTap);
    }
}

void TouchGestures::Cancel(long id) {
    Finger* finger = Find(id);
    if (!finger) return;
    fingers_.erase(fingers_.begin() + (finger - fingers_.data()));
    cancelled_ = true;
}

std::vector<TouchAction> TouchGestures::TakeActions() {
    std::vector<TouchAction> taken;
    taken.swap(actions_);
    return taken;
}

}  // namespace platform::web
