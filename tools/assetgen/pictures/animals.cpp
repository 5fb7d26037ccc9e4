// The animals and the two play-once effects. Every animal is drawn facing left (the game's
// strips 1 and 2) from a small pose; the right-facing strips (4 and 5) are mirrored copies.
// Feet touch the bottom of the frame, so the game's y positions put them on the ground lines.
#include <algorithm>
#include <cmath>

#include "pictures/animals.h"
#include "pictures/paint.h"
#include "pictures/recipes.h"
#include "pictures/scene_layout.h"

namespace assetgen {

namespace {

using namespace layout;

const FinishOptions kSprite{Key::Sprite};

double Wave01(int frame, int frames) {
    return std::sin(2 * M_PI * frame / frames);
}

// ---------------------------------------------------------------------------------------------
// Boar: 26 frames over two strips of 13. 0..7 walk, 8..19 slow walk, 20..22 hit, 23..25 stand.

struct BoarPose {
    double legPhase = 0;  // radians
    double stride = 0;    // leg swing in radians
    double bob = 0;       // body lift in pixels
    double head = 0;      // head angle; negative lowers the snout
    double roll = 0;      // whole-body rotation for the hit frames
    double lift = 0;      // body raised off the ground while tumbling
    bool mouthOpen = false;
    bool dazed = false;
};

// A swung leg reaches less far down; the body sinks by as much so the straight stance legs
// keep their hooves on the ground.
double StanceDrop(double stride, double phase) {
    return -70 * (1 - std::cos(stride * std::sin(phase)));
}

BoarPose BoarPoseFor(int frame) {
    BoarPose pose;
    if (frame <= 7) {
        pose.legPhase = 2 * M_PI * frame / 8;
        pose.stride = 0.42;
        pose.bob = StanceDrop(pose.stride, pose.legPhase);
        pose.head = -0.05 + 0.05 * std::sin(pose.legPhase * 2);
    } else if (frame <= 19) {
        pose.legPhase = 2 * M_PI * (frame - 8) / 12;
        pose.stride = 0.22;
        pose.bob = StanceDrop(pose.stride, pose.legPhase);
        pose.head = -0.32 + 0.06 * std::sin(pose.legPhase);  // snout to the ground, rooting
    } else if (frame == 20) {
        pose.roll = 0.22;
        pose.stride = 0.5;
        pose.legPhase = M_PI / 2;
        pose.head = 0.25;
        pose.mouthOpen = true;
    } else if (frame == 21) {
        pose.roll = -0.62;
        pose.lift = -8;
        pose.stride = 0.6;
        pose.legPhase = 0.4;
        pose.dazed = true;
    } else if (frame == 22) {
        pose.roll = -M_PI;
        pose.lift = 0;
        pose.stride = 0.35;
        pose.legPhase = 1.2;
        pose.dazed = true;
    } else if (frame == 23) {
        pose.head = 0.0;
    } else if (frame == 24) {
        pose.head = -0.45;
    } else {
        pose.head = 0.2;
        pose.mouthOpen = true;
    }
    return pose;
}

constexpr double kBoarOutline = 4;
const Rgb kBoarHair = Hex(0x5e4634);
const Rgb kBoarMane = Hex(0x3a2a1e);

// Sets up the body's coordinate system: origin between the feet on the ground line, body
// rotated around its middle for the hit frames.
void BoarBodyTransform(cairo_t* cr, const BoarPose& pose) {
    cairo_translate(cr, BoarFrameWidth / 2.0 + 6, BoarHeight - 3);
    if (pose.roll != 0) {
        cairo_translate(cr, 0, -95 - pose.lift);
        cairo_rotate(cr, pose.roll);
        cairo_translate(cr, 0, 95);
        if (std::abs(pose.roll) > 2) cairo_translate(cr, 0, 34);  // on its back: lie low
    }
    cairo_translate(cr, 0, -pose.bob);
}

// A leg from the hip: the thigh swings, the shank folds back at the knee while the foot is
// carried forward, and the hoof closes it off.
void PaintBoarLeg(cairo_t* cr, double hipX, double hipY, double angle, double knee, bool far) {
    cairo_save(cr);
    cairo_translate(cr, hipX, hipY);
    cairo_rotate(cr, angle);
    Rgb hair = far ? Darker(kBoarHair, 0.3) : kBoarHair;
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -16, -12);
            cairo_curve_to(c, -16, 8, -11, 24, -9, 36);
            cairo_line_to(c, 9, 36);
            cairo_curve_to(c, 12, 24, 16, 8, 16, -12);
            cairo_close_path(c);
        },
        ShapeStyle{hair, 0.15, 0.3, 4, kBoarOutline});
    cairo_translate(cr, 0, 33);
    cairo_rotate(cr, knee);
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -9, -2);
            cairo_line_to(c, -7, 26);
            cairo_line_to(c, 6, 26);
            cairo_line_to(c, 9, -2);
            cairo_close_path(c);
        },
        ShapeStyle{hair, 0.15, 0.3, 3, kBoarOutline});
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -8, 24);
            cairo_line_to(c, 7, 24);
            cairo_line_to(c, 9, 36);
            cairo_line_to(c, -11, 36);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x2c2420), 0.2, 0.0, 2, kBoarOutline});
    cairo_restore(cr);
}

void PaintBoarHead(cairo_t* cr, const BoarPose& pose) {
    cairo_save(cr);
    cairo_translate(cr, -62, -112);
    cairo_rotate(cr, pose.head);
    // Ear behind.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 2, -30);
            cairo_line_to(c, 14, -62);
            cairo_line_to(c, 26, -26);
            cairo_close_path(c);
        },
        ShapeStyle{Darker(kBoarHair, 0.15), 0.2, 0.2, 3, kBoarOutline});
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, 10, -34);
            cairo_curve_to(c, -20, -30, -45, -10, -66, 12);
            cairo_line_to(c, -80, 22);
            cairo_line_to(c, -81, 44);
            cairo_curve_to(c, -70, 48, -52, 50, -36, 48);
            cairo_curve_to(c, -10, 44, 10, 36, 22, 24);
            cairo_close_path(c);
        },
        ShapeStyle{kBoarHair, 0.2, 0.3, 5, kBoarOutline});
    // Snout disc.
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, -80, 33, 6, 12); },
        ShapeStyle{Hex(0xc99a88), 0.2, 0.2, 2, kBoarOutline});
    SetColour(cr, Hex(0x3a2420));
    EllipsePath(cr, -81, 28, 1.8, 3);
    EllipsePath(cr, -81, 38, 1.8, 3);
    cairo_fill(cr);
    if (pose.mouthOpen) {
        PaintShape(
            cr,
            [](cairo_t* c) {
                cairo_move_to(c, -72, 46);
                cairo_line_to(c, -40, 44);
                cairo_line_to(c, -66, 58);
                cairo_close_path(c);
            },
            ShapeStyle{Hex(0x8a2a2a), 0, 0, 0, 3});
    }
    // Tusk.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -56, 44);
            cairo_curve_to(c, -64, 40, -68, 30, -64, 20);
            cairo_curve_to(c, -62, 30, -56, 36, -50, 40);
            cairo_close_path(c);
        },
        ShapeStyle{palette::Cream, 0.1, 0.2, 2, 2.5});
    // Eye.
    if (pose.dazed) {
        SetColour(cr, palette::Outline);
        cairo_set_line_width(cr, 3);
        cairo_move_to(cr, -40, 0);
        cairo_line_to(cr, -30, 10);
        cairo_move_to(cr, -40, 10);
        cairo_line_to(cr, -30, 0);
        cairo_stroke(cr);
    } else {
        PaintShape(
            cr, [](cairo_t* c) { EllipsePath(c, -35, 4, 5, 5); },
            ShapeStyle{Hex(0x20140c), 0, 0, 0, 1.5});
        SetColour(cr, palette::White);
        EllipsePath(cr, -36.5, 2.5, 1.6, 1.6);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void PaintBoarFrame(cairo_t* cr, int frame) {
    BoarPose pose = BoarPoseFor(frame);
    cairo_save(cr);
    BoarBodyTransform(cr, pose);
    double s = pose.stride;
    double p = pose.legPhase;
    // Far legs, body, near legs.
    // The knee folds while a leg swings forward (its angle growing towards the head is negative).
    auto knee = [&](double phase) { return -std::max(0.0, std::cos(phase)) * s * 1.6; };
    PaintBoarLeg(cr, -32, -72, s * std::sin(p + M_PI), knee(p + M_PI), true);
    PaintBoarLeg(cr, 78, -70, s * std::sin(p), knee(p), true);
    // Tail.
    SetColour(cr, kBoarMane);
    cairo_set_line_width(cr, 5);
    cairo_move_to(cr, 100, -108);
    cairo_curve_to(cr, 116, -112, 118, -96, 110, -88);
    cairo_stroke(cr);
    auto body = [](cairo_t* c) {
        cairo_move_to(c, -78, -70);
        cairo_curve_to(c, -92, -95, -92, -122, -80, -132);
        cairo_curve_to(c, -64, -150, -36, -162, -10, -160);
        cairo_curve_to(c, 30, -156, 80, -142, 98, -118);
        cairo_curve_to(c, 114, -100, 112, -72, 100, -58);
        cairo_curve_to(c, 60, -40, -40, -42, -78, -70);
        cairo_close_path(c);
    };
    PaintShape(cr, body, ShapeStyle{kBoarHair, 0.16, 0.32, 10, kBoarOutline});
    // Bristly mane along the back.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -84, -128);
            double x = -84, y = -128;
            for (int i = 0; i < 11; ++i) {
                double nx = -84 + (i + 1) * 16.0;
                double ny = -160 + std::pow((nx + 10) / 100.0, 2) * 36;
                cairo_line_to(c, (x + nx) / 2 - 4, ny - 14);
                cairo_line_to(c, nx, ny + 2);
                x = nx;
                y = ny;
            }
            cairo_line_to(c, x, y + 14);
            cairo_curve_to(c, 40, -136, -30, -150, -74, -116);
            cairo_close_path(c);
        },
        ShapeStyle{kBoarMane, 0.2, 0.1, 3, kBoarOutline});
    // Coarse hair strokes on the flank.
    SetColour(cr, Darker(kBoarHair, 0.25));
    cairo_set_line_width(cr, 2.5);
    for (int i = 0; i < 7; ++i) {
        double x = -40 + i * 20;
        cairo_move_to(cr, x, -118 + (i % 2) * 8);
        cairo_line_to(cr, x + 8, -96 + (i % 2) * 8);
    }
    cairo_stroke(cr);
    PaintBoarLeg(cr, -54, -74, s * std::sin(p), knee(p), false);
    PaintBoarLeg(cr, 60, -72, s * std::sin(p + M_PI), knee(p + M_PI), false);
    PaintBoarHead(cr, pose);
    cairo_restore(cr);
}

// Where the apple rides: on the back above the middle of the body, in frame pixels.
void BoarApplePosition(int frame, double& x, double& y) {
    BoarPose pose = BoarPoseFor(frame);
    cairo_surface_t* dummy = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(dummy);
    BoarBodyTransform(cr, pose);
    x = 10;
    y = -173;
    cairo_user_to_device(cr, &x, &y);
    cairo_destroy(cr);
    cairo_surface_destroy(dummy);
}

void PaintApple(cairo_t* cr, double cx, double cy, double r, double tilt, double outline) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, tilt);
    PaintShape(
        cr,
        [r](cairo_t* c) {
            cairo_move_to(c, 0, -r * 0.7);
            cairo_curve_to(c, r * 0.5, -r * 1.1, r * 1.1, -r * 0.7, r, 0);
            cairo_curve_to(c, r * 0.95, r * 0.8, r * 0.4, r, 0, r * 0.9);
            cairo_curve_to(c, -r * 0.4, r, -r * 0.95, r * 0.8, -r, 0);
            cairo_curve_to(c, -r * 1.1, -r * 0.7, -r * 0.5, -r * 1.1, 0, -r * 0.7);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0xc8302a), 0.3, 0.3, r * 0.25, outline});
    SetColour(cr, Hex(0xf4d0a0));
    EllipsePath(cr, -r * 0.45, -r * 0.35, r * 0.18, r * 0.12);
    cairo_fill(cr);
    SetColour(cr, Hex(0x5a3b22));
    cairo_set_line_width(cr, std::max(2.0, r * 0.14));
    cairo_move_to(cr, 0, -r * 0.65);
    cairo_line_to(cr, r * 0.12, -r * 1.15);
    cairo_stroke(cr);
    PaintShape(
        cr,
        [r](cairo_t* c) {
            cairo_move_to(c, r * 0.1, -r * 0.95);
            cairo_curve_to(c, r * 0.4, -r * 1.35, r * 0.8, -r * 1.2, r * 0.85, -r * 1.05);
            cairo_curve_to(c, r * 0.6, -r * 0.85, r * 0.3, -r * 0.85, r * 0.1, -r * 0.95);
            cairo_close_path(c);
        },
        ShapeStyle{palette::LeafGreen, 0.2, 0.2, 1.5, outline * 0.6});
    cairo_restore(cr);
}

void PaintBoarApple(cairo_t* cr, int frame) {
    double x, y;
    BoarApplePosition(frame < 20 ? frame : 23, x, y);
    double tilt = 0;
    if (frame == 20) {
        x -= 12;
        y -= 2;
        tilt = -0.4;
    } else if (frame == 21) {
        x += 40;
        y += 40;
        tilt = 1.0;
    } else if (frame == 22) {
        x += 70;
        y = BoarHeight - 24;
        tilt = 1.6;
    }
    PaintApple(cr, x, y, 17, tilt, kBoarOutline);
}

// ---------------------------------------------------------------------------------------------
// Flying duck: 13 frames, 0..11 the wing beat, 12 hit.

// A wing pointing straight up from the shoulder in its own frame; `angle` turns it back and
// down through the beat.
void PaintDuckWing(cairo_t* cr, double angle, bool far) {
    cairo_save(cr);
    cairo_translate(cr, far ? 50 : 54, far ? 32 : 35);
    cairo_rotate(cr, angle);
    cairo_scale(cr, 0.8, 0.8);
    Rgb feathers = far ? Hex(0x6e6254) : Hex(0x928270);
    auto wing = [](cairo_t* c) {
        cairo_move_to(c, -9, 3);
        cairo_curve_to(c, -13, -18, -6, -36, 2, -46);
        cairo_curve_to(c, 8, -34, 14, -16, 12, 4);
        cairo_close_path(c);
    };
    PaintShape(cr, wing, ShapeStyle{feathers, 0.22, 0.25, 2.5, 2.5});
    cairo_save(cr);
    cairo_new_path(cr);
    wing(cr);
    cairo_clip(cr);
    // Dark flight feathers at the tip, the blue speculum with white edges on the trailing side.
    SetColour(cr, Darker(feathers, 0.45));
    cairo_rectangle(cr, -20, -60, 40, 30);
    cairo_fill(cr);
    if (!far) {
        SetColour(cr, palette::White);
        cairo_rectangle(cr, 0, -25, 16, 12);
        cairo_fill(cr);
        SetColour(cr, Hex(0x3a5ab8));
        cairo_rectangle(cr, 0, -23, 16, 8);
        cairo_fill(cr);
        SetColour(cr, Darker(feathers, 0.3));
        cairo_set_line_width(cr, 1);
        for (int i = 0; i < 4; ++i) {
            cairo_move_to(cr, -6 + i * 4, -30);
            cairo_line_to(cr, -4 + i * 4, -44);
        }
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    cairo_restore(cr);
}

void PaintDuckFrame(cairo_t* cr, int frame) {
    bool hit = frame == 12;
    double beat = hit ? 0 : Wave01(frame, 12);
    double bob = hit ? 0 : -beat * 3;
    cairo_save(cr);
    if (hit) {
        cairo_translate(cr, 50, 38);
        cairo_rotate(cr, 2.6);
        cairo_translate(cr, -50, -38);
    }
    cairo_translate(cr, 0, bob + 4);
    // Far wing swings opposite in depth, drawn behind the body.
    // The wings beat from high over the back (beat 1) to low under the body (beat -1).
    double wingAngle = hit ? 2.0 : 1.45 - beat * 1.15;
    PaintDuckWing(cr, wingAngle - 0.25, true);
    // Tail and body.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 74, 32);
            cairo_line_to(c, 94, 30);
            cairo_line_to(c, 90, 42);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x3a3a3a), 0.3, 0.2, 1.5, 2.5});
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 54, 38, 28, 12); },
        ShapeStyle{Hex(0xb4aea2), 0.25, 0.3, 3, 2.5});
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 36, 40, 12, 10); },
        ShapeStyle{Hex(0x7a4a30), 0.2, 0.25, 2, 2.5});
    // Feet tucked under.
    SetColour(cr, Hex(0xe08a30));
    EllipsePath(cr, 72, 48, 6, 3);
    cairo_fill(cr);
    // Neck with white ring, green glossy head, yellow bill.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 30, 34);
            cairo_curve_to(c, 24, 28, 20, 26, 16, 24);
            cairo_line_to(c, 22, 38);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x2e7a4a), 0.2, 0.2, 1.5, 2.5});
    SetColour(cr, palette::White);
    cairo_set_line_width(cr, 2.5);
    cairo_move_to(cr, 25, 28);
    cairo_line_to(cr, 28, 38);
    cairo_stroke(cr);
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 9, 20);
            cairo_line_to(c, -4, 24);
            cairo_curve_to(c, -6, 27, -2, 28, 2, 28);
            cairo_line_to(c, 10, 26);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0xe8c040), 0.2, 0.2, 1.5, 2.5});
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 16, 20, 9, 8); },
        ShapeStyle{Hex(0x2a7e48), 0.35, 0.3, 2, 2.5});
    if (hit) {
        SetColour(cr, palette::Outline);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, 12, 15);
        cairo_line_to(cr, 17, 20);
        cairo_move_to(cr, 17, 15);
        cairo_line_to(cr, 12, 20);
        cairo_stroke(cr);
    } else {
        SetColour(cr, Hex(0x141414));
        EllipsePath(cr, 14, 18, 1.8, 1.8);
        cairo_fill(cr);
    }
    PaintDuckWing(cr, wingAngle, false);
    cairo_restore(cr);
    if (hit) {
        // Loose feathers.
        Random random(5);
        for (int i = 0; i < 6; ++i) {
            double fx = random.Uniform(10, 90), fy = random.Uniform(6, 66);
            cairo_save(cr);
            cairo_translate(cr, fx, fy);
            cairo_rotate(cr, random.Uniform(0, M_PI));
            PaintShape(
                cr, [](cairo_t* c) { EllipsePath(c, 0, 0, 6, 2.5); },
                ShapeStyle{Hex(0xd8d2c6), 0.1, 0.1, 1, 1.2});
            cairo_restore(cr);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Mole: 20 frames, 0..6 walk, 7..11 hit, 12..19 dive into the hole under the frame's middle.

const Rgb kMoleFur = Hex(0x3a3640);
const Rgb kMolePink = Hex(0xf0a0a8);

void PaintMoleBody(cairo_t* cr, double phase, double stride, bool dazed) {
    double paddle = stride * std::sin(phase);
    // Back hand/foot.
    PaintShape(
        cr, [&](cairo_t* c) { EllipsePath(c, 44 - paddle * 4, 35, 5, 3.5); },
        ShapeStyle{Darker(kMolePink, 0.2), 0.1, 0.1, 1, 2});
    // Tail.
    SetColour(cr, kMolePink);
    cairo_set_line_width(cr, 2.5);
    cairo_move_to(cr, 54, 24);
    cairo_line_to(cr, 61, 20);
    cairo_stroke(cr);
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 14, 28);
            cairo_curve_to(c, 14, 12, 28, 8, 40, 10);
            cairo_curve_to(c, 52, 12, 58, 22, 56, 30);
            cairo_curve_to(c, 54, 36, 40, 38, 28, 37);
            cairo_curve_to(c, 18, 36, 14, 34, 14, 28);
            cairo_close_path(c);
        },
        ShapeStyle{kMoleFur, 0.28, 0.3, 3, 2});
    // Pointed pink snout.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 16, 20);
            cairo_curve_to(c, 10, 22, 5, 24, 2, 27);
            cairo_curve_to(c, 5, 30, 10, 31, 17, 31);
            cairo_close_path(c);
        },
        ShapeStyle{kMolePink, 0.2, 0.2, 1.5, 2});
    // Big pink digging hand in front.
    cairo_save(cr);
    cairo_translate(cr, 20, 33);
    cairo_rotate(cr, paddle * 0.6);
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -2, -3);
            cairo_curve_to(c, -8, -3, -11, 2, -9, 5);
            cairo_line_to(c, 5, 6);
            cairo_curve_to(c, 6, 2, 4, -3, -2, -3);
            cairo_close_path(c);
        },
        ShapeStyle{kMolePink, 0.25, 0.2, 1.5, 2});
    cairo_restore(cr);
    if (dazed) {
        SetColour(cr, palette::Cream);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, 18, 16);
        cairo_line_to(cr, 22, 20);
        cairo_move_to(cr, 22, 16);
        cairo_line_to(cr, 18, 20);
        cairo_stroke(cr);
    } else {
        SetColour(cr, Hex(0x101010));
        EllipsePath(cr, 20, 18, 1.4, 1.4);
        cairo_fill(cr);
    }
}

void PaintDirtMound(cairo_t* cr, double cx, double width, double height, double outline) {
    if (height <= 0.5) return;
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, cx - width / 2, MoleHeight - 1);
            cairo_curve_to(c, cx - width / 3, MoleHeight - 1 - height, cx + width / 3,
                           MoleHeight - 1 - height, cx + width / 2, MoleHeight - 1);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x7a5434), 0.25, 0.25, 2, outline});
}

void PaintMoleFrame(cairo_t* cr, int frame) {
    if (frame <= 6) {
        double phase = 2 * M_PI * frame / 7;
        cairo_save(cr);
        cairo_translate(cr, 0, -std::abs(std::sin(phase)) * 1.5 + 1);
        PaintMoleBody(cr, phase, 1.0, false);
        cairo_restore(cr);
    } else if (frame <= 11) {
        // Knocked over: rolls onto its back, stars circling.
        int k = frame - 7;
        const double rolls[] = {-0.15, 0.35, 2.6, M_PI, M_PI};
        const double lifts[] = {-4, -2, 0, 1, 1};
        cairo_save(cr);
        cairo_translate(cr, 35, 24);
        cairo_rotate(cr, rolls[k]);
        cairo_translate(cr, -35, -24 + lifts[k]);
        PaintMoleBody(cr, 0, 0, true);
        cairo_restore(cr);
        for (int i = 0; i < 3; ++i) {
            double a = k * 0.9 + i * 2.1;
            double sx = 34 + std::cos(a) * 14, sy = 7 + std::sin(a) * 4;
            SetColour(cr, Hex(0xf8e060));
            cairo_move_to(cr, sx, sy - 4);
            cairo_line_to(cr, sx + 1.2, sy - 1.2);
            cairo_line_to(cr, sx + 4, sy);
            cairo_line_to(cr, sx + 1.2, sy + 1.2);
            cairo_line_to(cr, sx, sy + 4);
            cairo_line_to(cr, sx - 1.2, sy + 1.2);
            cairo_line_to(cr, sx - 4, sy);
            cairo_line_to(cr, sx - 1.2, sy - 1.2);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
    } else {
        // Dive: nose down into the ground at the middle of the frame, earth flying.
        int k = frame - 12;  // 0..7
        double sink = std::min(1.0, k / 5.0);
        cairo_save(cr);
        cairo_rectangle(cr, 0, 0, MoleFrameWidth, MoleHeight - 3);
        cairo_clip(cr);
        cairo_translate(cr, MoleFrameWidth / 2.0 - 4, 30 + sink * 34);
        cairo_rotate(cr, -1.0 - sink * 0.35);
        cairo_translate(cr, -14, -28);
        if (k < 6) PaintMoleBody(cr, k * 1.4, 1.0, false);
        cairo_restore(cr);
        double mound = k < 6 ? 4 + k * 1.2 : 10 - (k - 5) * 3;
        PaintDirtMound(cr, MoleFrameWidth / 2.0, 34, mound, 2);
        Random random(static_cast<uint32_t>(40 + k));
        for (int i = 0; i < (k < 6 ? 5 : 2); ++i) {
            double a = random.Uniform(-2.6, -0.5);
            double d = 8 + k * 3 + random.Uniform(0, 6);
            PaintShape(
                cr,
                [&](cairo_t* c) {
                    EllipsePath(c, MoleFrameWidth / 2.0 + std::cos(a) * d,
                                MoleHeight - 6 + std::sin(a) * d * 0.7, 2.2, 2);
                },
                ShapeStyle{Hex(0x8a6040), 0.2, 0.2, 1, 1.2});
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Quail: 14 frames, 0..8 run, 9..13 hit.

const Rgb kQuailBrown = Hex(0xa87a4a);

void PaintQuailFrame(cairo_t* cr, int frame) {
    bool hit = frame >= 9;
    int k = hit ? frame - 9 : frame;
    double phase = 2 * M_PI * k / 9;
    double outline = 4;
    cairo_save(cr);
    if (hit) {
        double roll = std::min(k, 3) * 0.95;
        cairo_translate(cr, 60, 60);
        cairo_rotate(cr, roll);
        cairo_translate(cr, -60, -60 + (k >= 3 ? 8 : -6 * k));
    } else {
        cairo_translate(cr, 0, -std::abs(std::sin(phase)) * 5);
    }
    // Legs: quick scissoring steps.
    for (int leg = 0; leg < 2; ++leg) {
        double swing = hit ? 0.5 - leg : 0.6 * std::sin(phase + leg * M_PI);
        cairo_save(cr);
        cairo_translate(cr, 64, 76);
        cairo_rotate(cr, swing);
        SetColour(cr, leg == 0 ? Hex(0xc88a5a) : Hex(0xe0a070));
        cairo_set_line_width(cr, 5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 0, 20);
        cairo_line_to(cr, -9, 21);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    // Round body with a short tail.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 94, 50);
            cairo_line_to(c, 110, 46);
            cairo_line_to(c, 100, 60);
            cairo_close_path(c);
        },
        ShapeStyle{Darker(kQuailBrown, 0.2), 0.2, 0.2, 2, outline});
    auto body = [](cairo_t* c) { EllipsePath(c, 64, 56, 38, 28); };
    PaintShape(cr, body, ShapeStyle{kQuailBrown, 0.25, 0.3, 6, outline});
    // Streaks and spots on the flank.
    cairo_save(cr);
    cairo_new_path(cr);
    body(cr);
    cairo_clip(cr);
    SetColour(cr, palette::Cream);
    cairo_set_line_width(cr, 3);
    for (int i = 0; i < 5; ++i) {
        cairo_move_to(cr, 48 + i * 10, 44 + (i % 2) * 5);
        cairo_line_to(cr, 60 + i * 10, 40 + (i % 2) * 5);
    }
    cairo_stroke(cr);
    SetColour(cr, Hex(0x5a3a22));
    for (int i = 0; i < 9; ++i) {
        EllipsePath(cr, 46 + (i % 5) * 11, 58 + (i / 5) * 9 + (i % 2) * 3, 3.5, 2);
        cairo_fill(cr);
    }
    SetColour(cr, Hex(0xe8cc98));
    EllipsePath(cr, 50, 72, 20, 8);
    cairo_fill(cr);
    cairo_restore(cr);
    // Head with the pale eye stripe and a short beak.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 12, 30);
            cairo_line_to(c, 2, 34);
            cairo_line_to(c, 12, 37);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x5a4a3a), 0.2, 0.2, 1, outline * 0.6});
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 26, 32, 16, 15); },
        ShapeStyle{Hex(0x8a6238), 0.25, 0.3, 4, outline});
    SetColour(cr, palette::Cream);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, 16, 24);
    cairo_curve_to(cr, 24, 20, 32, 22, 40, 28);
    cairo_stroke(cr);
    SetColour(cr, Hex(0x3a2414));
    cairo_move_to(cr, 18, 40);
    cairo_curve_to(cr, 24, 44, 32, 44, 38, 40);
    cairo_stroke(cr);
    if (hit) {
        SetColour(cr, palette::Outline);
        cairo_set_line_width(cr, 2.5);
        cairo_move_to(cr, 18, 27);
        cairo_line_to(cr, 25, 34);
        cairo_move_to(cr, 25, 27);
        cairo_line_to(cr, 18, 34);
        cairo_stroke(cr);
    } else {
        SetColour(cr, Hex(0x141010));
        EllipsePath(cr, 21, 30, 3, 3);
        cairo_fill(cr);
        SetColour(cr, palette::White);
        EllipsePath(cr, 20, 29, 1, 1);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    if (hit && k < 4) {
        Random random(static_cast<uint32_t>(9 + k));
        for (int i = 0; i < 5; ++i) {
            double fx = random.Uniform(14, 106), fy = random.Uniform(6, 40 + k * 10);
            cairo_save(cr);
            cairo_translate(cr, fx, fy);
            cairo_rotate(cr, random.Uniform(0, M_PI));
            PaintShape(
                cr, [](cairo_t* c) { EllipsePath(c, 0, 0, 8, 3.5); },
                ShapeStyle{Hex(0xc49a6c), 0.1, 0.1, 1, 2.5});
            cairo_restore(cr);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Hare: 30 frames. 0..4 hop, 5..14 sit and look about, 15..24 dive into the hole under the
// frame's middle, 25..29 hit.

const Rgb kHareFur = Hex(0xa07c58);

struct HarePose {
    double x = 40, y = 0;  // body centre offset from the standard crouch
    double tilt = 0;       // body rotation, negative = nose down
    double hind = 0;       // hind leg stretch 0..1
    double fore = 0;       // fore leg reach 0..1
    double ears = 0;       // ear angle back
    bool sitting = false;
    bool dazed = false;
};

void PaintHareBody(cairo_t* cr, const HarePose& pose) {
    cairo_save(cr);
    cairo_translate(cr, pose.x, 44 + pose.y);
    cairo_rotate(cr, pose.tilt);
    Rgb fur = kHareFur;
    // Far ear, hind leg, body, head, near ear, fore leg.
    auto ear = [&](double angle, Rgb colour) {
        cairo_save(cr);
        cairo_translate(cr, -16, -14);
        cairo_rotate(cr, 0.35 + pose.ears + angle);
        PaintShape(
            cr,
            [](cairo_t* c) {
                cairo_move_to(c, -3, 0);
                cairo_curve_to(c, -6, -12, -3, -24, 1, -28);
                cairo_curve_to(c, 5, -24, 6, -12, 3, 0);
                cairo_close_path(c);
            },
            ShapeStyle{colour, 0.2, 0.2, 1.5, 2});
        SetColour(cr, Hex(0x2a2220));
        cairo_move_to(cr, -2, -22);
        cairo_curve_to(cr, -1, -26, 0, -27, 1, -28);
        cairo_curve_to(cr, 3, -26, 4, -24, 3.5, -22);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_restore(cr);
    };
    ear(0.25, Darker(fur, 0.2));
    // Hind leg: a long foot that stretches back when pushing off.
    cairo_save(cr);
    cairo_translate(cr, 12, 6);
    cairo_rotate(cr, -pose.hind * 0.9);
    PaintShape(
        cr,
        [&](cairo_t* c) {
            cairo_move_to(c, -9, -8);
            cairo_curve_to(c, -12, 4, -8, 10, -4, 12);
            cairo_line_to(c, -18, 13);
            cairo_curve_to(c, -20, 16, -18, 18, -14, 18);
            cairo_line_to(c, 6, 16);
            cairo_curve_to(c, 12, 8, 10, -4, 6, -10);
            cairo_close_path(c);
        },
        ShapeStyle{Darker(fur, 0.08), 0.2, 0.25, 2.5, 2});
    cairo_restore(cr);
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 4, 0, 19, 13); }, ShapeStyle{fur, 0.22, 0.3, 4, 2});
    // White scut.
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 23, -4, 4.5, 4); },
        ShapeStyle{palette::White, 0.0, 0.15, 1.5, 2});
    // Fore leg reaches forward in the hop.
    cairo_save(cr);
    cairo_translate(cr, -10, 6);
    cairo_rotate(cr, 0.3 + pose.fore * 0.9);
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -3, -2);
            cairo_line_to(c, -4, 13);
            cairo_line_to(c, -8, 15);
            cairo_line_to(c, 3, 15);
            cairo_line_to(c, 3, -2);
            cairo_close_path(c);
        },
        ShapeStyle{Lighter(fur, 0.05), 0.2, 0.2, 1.5, 2});
    cairo_restore(cr);
    // Head.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, -8, -14);
            cairo_curve_to(c, -14, -20, -26, -18, -30, -10);
            cairo_curve_to(c, -32, -6, -30, -2, -26, -1);
            cairo_curve_to(c, -20, 0, -10, 0, -6, -4);
            cairo_close_path(c);
        },
        ShapeStyle{fur, 0.25, 0.25, 2.5, 2});
    if (pose.dazed) {
        SetColour(cr, palette::Outline);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, -21, -13);
        cairo_line_to(cr, -17, -9);
        cairo_move_to(cr, -17, -13);
        cairo_line_to(cr, -21, -9);
        cairo_stroke(cr);
    } else {
        SetColour(cr, Hex(0x2a1a10));
        EllipsePath(cr, -19, -11, 2.2, 2.2);
        cairo_fill(cr);
        SetColour(cr, palette::White);
        EllipsePath(cr, -19.7, -11.7, 0.8, 0.8);
        cairo_fill(cr);
    }
    SetColour(cr, Hex(0x5a3a30));
    EllipsePath(cr, -30, -8, 1.6, 1.4);
    cairo_fill(cr);
    ear(0, fur);
    cairo_restore(cr);
}

HarePose HarePoseFor(int frame) {
    HarePose pose;
    if (frame <= 4) {
        // crouch, push off, stretched in the air, landing on the fore legs, gather
        const double ys[] = {2, -4, -12, -6, 0};
        const double tilts[] = {0.05, -0.15, -0.05, 0.2, 0.1};
        const double hinds[] = {0, 0.8, 0.9, 0.3, -0.1};
        const double fores[] = {0, 0.3, 0.9, 0.2, -0.3};
        pose.y = ys[frame];
        pose.tilt = tilts[frame];
        pose.hind = hinds[frame];
        pose.fore = fores[frame];
        pose.ears = frame == 2 ? 0.35 : 0.1;
    } else if (frame <= 14) {
        int k = frame - 5;
        pose.sitting = true;
        pose.tilt = 0.45;
        pose.y = -4;
        pose.x = 42;
        pose.ears = (k % 4 == 1) ? -0.25 : (k % 4 == 3 ? 0.25 : 0);
        pose.fore = -0.3;
    } else if (frame <= 24) {
        int k = frame - 15;  // 0..9: crouch at the hole, dive head first, vanish
        pose.x = 46 - std::min(k, 4) * 2;
        pose.tilt = -0.2 - std::min(k, 5) * 0.22;
        pose.y = k < 2 ? 0 : (k - 2) * 9;
        pose.hind = std::min(1.0, k * 0.25);
        pose.fore = 0.8;
        pose.ears = 0.5;
    } else {
        int k = frame - 25;
        pose.tilt = std::min(k, 3) * 1.05;
        pose.y = k >= 3 ? 0 : -8 + k * 2;
        pose.hind = 0.6;
        pose.fore = 0.7;
        pose.ears = 0.6;
        pose.dazed = true;
    }
    return pose;
}

void PaintHareFrame(cairo_t* cr, int frame) {
    HarePose pose = HarePoseFor(frame);
    if (frame >= 15 && frame <= 24) {
        int k = frame - 15;
        cairo_save(cr);
        // Below the ground line the hare is in its hole.
        cairo_rectangle(cr, 0, 2, HareFrameWidth, HareHeight - 5);
        cairo_clip(cr);
        if (k < 8) PaintHareBody(cr, pose);
        cairo_restore(cr);
        // Earth kicked up at the hole.
        if (k >= 2) {
            Random random(static_cast<uint32_t>(60 + k));
            for (int i = 0; i < 5; ++i) {
                double a = random.Uniform(-2.8, -0.3);
                double d = 6 + (k - 2) * 3 + random.Uniform(0, 4);
                PaintShape(
                    cr,
                    [&](cairo_t* c) {
                        EllipsePath(c, HareFrameWidth / 2.0 + std::cos(a) * d,
                                    HareHeight - 6 + std::sin(a) * d * 0.6, 2, 1.8);
                    },
                    ShapeStyle{Hex(0x8a6040), 0.2, 0.2, 1, 1});
            }
        }
        return;
    }
    PaintHareBody(cr, pose);
}

// ---------------------------------------------------------------------------------------------
// Raven: 6 frames, 0..2 perched, 3..5 hit.

const Rgb kRavenBlack = Hex(0x2a2c3a);

void PaintRavenFrame(cairo_t* cr, int frame) {
    bool hit = frame >= 3;
    int k = hit ? frame - 3 : frame;
    cairo_save(cr);
    if (hit) {
        cairo_translate(cr, 32, 34);
        cairo_rotate(cr, 0.9 + k * 0.9);
        cairo_translate(cr, -32, -34 + k * 4);
    }
    // Feet gripping the perch.
    if (!hit) {
        SetColour(cr, Hex(0x3a3a3a));
        cairo_set_line_width(cr, 2.5);
        cairo_move_to(cr, 30, 52);
        cairo_line_to(cr, 28, 62);
        cairo_move_to(cr, 36, 52);
        cairo_line_to(cr, 36, 62);
        cairo_stroke(cr);
    }
    // Tail, body, wing, head, beak.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 40, 44);
            cairo_line_to(c, 58, 62);
            cairo_line_to(c, 50, 63);
            cairo_line_to(c, 34, 50);
            cairo_close_path(c);
        },
        ShapeStyle{kRavenBlack, 0.2, 0.2, 2, 2});
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 34, 40, 15, 14); },
        ShapeStyle{kRavenBlack, 0.25, 0.2, 3, 2});
    double wingLift = frame == 2 ? -0.5 : (hit ? -1.2 : 0);
    cairo_save(cr);
    cairo_translate(cr, 30, 32);
    cairo_rotate(cr, wingLift);
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 0, 0);
            cairo_curve_to(c, 12, -2, 22, 8, 26, 22);
            cairo_curve_to(c, 16, 20, 6, 14, 0, 10);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x343850), 0.3, 0.15, 2, 2});
    cairo_restore(cr);
    double headTurn = frame == 1 ? -0.35 : 0;
    cairo_save(cr);
    cairo_translate(cr, 22, 24);
    cairo_rotate(cr, headTurn);
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 0, 0, 10, 9); },
        ShapeStyle{kRavenBlack, 0.3, 0.2, 2, 2});
    bool open = frame == 1 || hit;
    PaintShape(
        cr,
        [open](cairo_t* c) {
            cairo_move_to(c, -6, -3);
            cairo_line_to(c, -20, open ? -2 : 2);
            cairo_line_to(c, -6, 3);
            cairo_close_path(c);
            if (open) {
                cairo_move_to(c, -6, 3);
                cairo_line_to(c, -18, 8);
                cairo_line_to(c, -5, 6);
                cairo_close_path(c);
            }
        },
        ShapeStyle{Hex(0x50505a), 0.3, 0.1, 1, 2});
    if (hit) {
        SetColour(cr, palette::Cream);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, -3, -5);
        cairo_line_to(cr, 1, -1);
        cairo_move_to(cr, 1, -5);
        cairo_line_to(cr, -3, -1);
        cairo_stroke(cr);
    } else {
        SetColour(cr, Hex(0xe8e0c0));
        EllipsePath(cr, -2, -3, 2, 2);
        cairo_fill(cr);
        SetColour(cr, Hex(0x101010));
        EllipsePath(cr, -2.4, -3, 1.1, 1.1);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // Blue sheen.
    SetColour(cr, Hex(0x6a78b0));
    cairo_set_line_width(cr, 2);
    cairo_arc(cr, 34, 40, 10, 3.6, 4.6);
    cairo_stroke(cr);
    cairo_restore(cr);
    if (hit) {
        Random random(static_cast<uint32_t>(30 + k));
        for (int i = 0; i < 4 + k; ++i) {
            double fx = random.Uniform(6, 58), fy = random.Uniform(4, 58);
            cairo_save(cr);
            cairo_translate(cr, fx, fy);
            cairo_rotate(cr, random.Uniform(0, M_PI));
            PaintShape(
                cr, [](cairo_t* c) { EllipsePath(c, 0, 0, 5, 2); },
                ShapeStyle{Hex(0x3a3c4a), 0.2, 0.1, 1, 1.2});
            cairo_restore(cr);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Effects.

void PaintExplosion(cairo_t* cr, int frame) {
    // A fireball sitting on the bottom of the frame that grows, turns to smoke and drifts apart.
    double size = ExplosionFrameSize;
    double grow = std::min(1.0, (frame + 1) / 4.0);
    double fade = frame < 4 ? 0 : (frame - 3) / 5.0;
    Random random(70);
    struct Puff {
        double dx, dy, r;
    };
    std::vector<Puff> puffs;
    for (int i = 0; i < 11; ++i) {
        double a = random.Uniform(M_PI, 2 * M_PI);
        double d = random.Uniform(0.2, 0.75);
        puffs.push_back({std::cos(a) * d, std::sin(a) * d * 0.9, random.Uniform(0.22, 0.36)});
    }
    double cx = size / 2, cy = size - 60;
    double radius = size * 0.42 * grow;
    auto cloud = [&](cairo_t* c, double scale, double rise) {
        for (const Puff& p : puffs) {
            EllipsePath(c, cx + p.dx * radius, cy + p.dy * radius - rise,
                        p.r * radius * scale * (1 + fade * 0.4),
                        p.r * radius * scale * (1 + fade * 0.4));
        }
    };
    double rise = fade * 40;
    if (frame < 6) {
        Rgb outer = Mix(Hex(0xe85a20), Hex(0x6a5a50), fade);
        Rgb inner = Mix(Hex(0xffd24a), Hex(0x8a7a6a), fade);
        PaintShape(
            cr, [&](cairo_t* c) { cloud(c, 1.25, rise); },
            ShapeStyle{outer, 0.2, 0.25, 8, 3, Hex(0x4a2414)});
        PaintShape(
            cr, [&](cairo_t* c) { cloud(c, 0.75, rise); }, ShapeStyle{inner, 0.25, 0.0, 6, 0});
        if (frame < 3) {
            SetColour(cr, Hex(0xfff4c0));
            EllipsePath(cr, cx, cy - rise, radius * 0.35, radius * 0.3);
            cairo_fill(cr);
        }
    } else {
        Rgb smoke = Mix(Hex(0x6a625a), Hex(0x9a948c), fade);
        PaintShape(
            cr, [&](cairo_t* c) { cloud(c, 1.3 - fade * 0.6, rise); },
            ShapeStyle{smoke, 0.2, 0.25, 8, 3, Hex(0x3a3430)});
    }
    // Sparks and debris.
    for (int i = 0; i < 10; ++i) {
        double a = random.Uniform(M_PI * 1.05, M_PI * 1.95);
        double d = (0.3 + frame * 0.12) * size * random.Uniform(0.5, 0.8);
        double sx = cx + std::cos(a) * d, sy = cy + std::sin(a) * d + frame * frame * 1.2;
        if (sy > size - 4 || frame > 7) continue;
        SetColour(cr, frame < 4 ? Hex(0xffe060) : Hex(0x5a4030));
        EllipsePath(cr, sx, sy, 4, 4);
        cairo_fill(cr);
    }
}

void PaintCrumbs(cairo_t* cr, int frame) {
    // A dust puff in the middle with earth, stone and wood chips flying out and falling.
    double size = CrumbsFrameSize;
    double c = size / 2;
    double t = frame / 7.0;
    if (frame < 6) {
        double r = 20 + frame * 10;
        Random puffRandom(81);
        PaintShape(
            cr,
            [&](cairo_t* cc) {
                for (int i = 0; i < 7; ++i) {
                    double a = 2 * M_PI * i / 7;
                    double pr = r * puffRandom.Uniform(0.45, 0.6);
                    EllipsePath(cc, c + std::cos(a) * r * 0.5, c + std::sin(a) * r * 0.4, pr, pr);
                }
            },
            ShapeStyle{Mix(Hex(0xc8b49a), Hex(0xe0d6c8), t), 0.2, 0.2, 5, 3, Hex(0x5a4a3a)});
    }
    Random random(83);
    for (int i = 0; i < 18; ++i) {
        double a = random.Uniform(0, 2 * M_PI);
        double speed = random.Uniform(0.5, 1.0);
        double d = (10 + frame * 13) * speed;
        double x = c + std::cos(a) * d;
        double y = c + std::sin(a) * d * 0.8 + frame * frame * 1.4;
        double r = random.Uniform(4, 8);
        Rgb colour = i % 3 == 0 ? Hex(0x8a8478) : (i % 3 == 1 ? Hex(0x8a6040) : Hex(0xc49a6c));
        if (y > size - 6) continue;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a + frame);
        PaintShape(
            cr,
            [r](cairo_t* cc) {
                cairo_move_to(cc, -r, -r * 0.5);
                cairo_line_to(cc, r * 0.6, -r * 0.8);
                cairo_line_to(cc, r, r * 0.4);
                cairo_line_to(cc, -r * 0.3, r * 0.7);
                cairo_close_path(cc);
            },
            ShapeStyle{colour, 0.25, 0.25, 2, 2.5});
        cairo_restore(cr);
    }
}

std::vector<Picture> FacingPair(Picture left, const std::string& rightPath) {
    Picture right = MirrorFrames(left, rightPath);
    return {std::move(left), std::move(right)};
}

// Woodpecker: red cap, black back with white bars, a stiff tail propped on the bark and a long
// beak, clinging upright to a trunk on its right.
void PaintWoodpeckerFrame(cairo_t* cr, int frame) {
    bool hit = frame == 2;
    double peck = frame == 1 ? 4 : 0;
    cairo_save(cr);
    if (hit) {
        cairo_translate(cr, 18, 24);
        cairo_rotate(cr, -2.2);
        cairo_translate(cr, -18, -24);
    }
    // Tail feathers braced against the trunk.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 12, 30);
            cairo_line_to(c, 16, 44);
            cairo_line_to(c, 21, 43);
            cairo_line_to(c, 20, 30);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x26262a), 0.2, 0.1, 1, 1.5});
    // Body: black back, white front, red under the tail.
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 16, 24, 9, 13); },
        ShapeStyle{Hex(0x2a2a30), 0.3, 0.2, 2, 1.5});
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 20, 25, 5, 10); },
        ShapeStyle{Hex(0xf0ece0), 0.0, 0.15, 1.5, 1});
    SetColour(cr, Hex(0xd02a2a));
    EllipsePath(cr, 19, 34, 4, 3);
    cairo_fill(cr);
    // White bars on the folded wing.
    SetColour(cr, palette::White);
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, 9, 18 + i * 5, 6, 2);
        cairo_fill(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, peck, 0);
    // Head and the long chisel beak towards the bark.
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 22, 8);
            cairo_line_to(c, 39, 10);
            cairo_line_to(c, 22, 13);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0x6a6a6a), 0.25, 0.1, 1, 1.5});
    PaintShape(
        cr, [](cairo_t* c) { EllipsePath(c, 17, 10, 7, 6.5); },
        ShapeStyle{palette::White, 0.0, 0.2, 1.5, 1.5});
    PaintShape(
        cr,
        [](cairo_t* c) {
            cairo_move_to(c, 10, 9);
            cairo_curve_to(c, 10, 1, 21, 0, 24, 7);
            cairo_line_to(c, 13, 8);
            cairo_close_path(c);
        },
        ShapeStyle{Hex(0xd82a2a), 0.25, 0.1, 1.5, 1.5});
    SetColour(cr, Hex(0x141414));
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, 11, 13);
    cairo_line_to(cr, 21, 14);
    cairo_stroke(cr);
    if (hit) {
        cairo_move_to(cr, 16, 8);
        cairo_line_to(cr, 20, 12);
        cairo_move_to(cr, 20, 8);
        cairo_line_to(cr, 16, 12);
        cairo_stroke(cr);
    } else {
        EllipsePath(cr, 18, 10, 1.5, 1.5);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_restore(cr);
    if (frame == 1) {
        // Chips of bark flying from the pecking.
        SetColour(cr, Hex(0x9a6a40));
        EllipsePath(cr, 42, 6, 1.5, 1.5);
        EllipsePath(cr, 41, 15, 1.5, 1.2);
        cairo_fill(cr);
    }
}

}  // namespace

void PaintBoar(cairo_t* cr, int frame) {
    PaintBoarFrame(cr, frame);
}
void PaintDuck(cairo_t* cr, int frame) {
    PaintDuckFrame(cr, frame);
}
void PaintMole(cairo_t* cr, int frame) {
    PaintMoleFrame(cr, frame);
}
void PaintQuail(cairo_t* cr, int frame) {
    PaintQuailFrame(cr, frame);
}
void PaintHare(cairo_t* cr, int frame) {
    PaintHareFrame(cr, frame);
}
void PaintRaven(cairo_t* cr, int frame) {
    PaintRavenFrame(cr, frame);
}
void PaintWoodpecker(cairo_t* cr, int frame) {
    PaintWoodpeckerFrame(cr, frame);
}

void PaintAnimalIcon(cairo_t* cr, void (*paint)(cairo_t*, int), int frame, int width, int height,
                     double x, double y, double boxWidth, double boxHeight, double outline) {
    // Paint the frame once on its own to find where its ink is, so the animal itself (not its
    // empty frame) fills the box.
    cairo_surface_t* alone = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* aloneCr = cairo_create(alone);
    paint(aloneCr, frame);
    cairo_destroy(aloneCr);
    cairo_surface_flush(alone);
    int left = width, top = height, right = 0, bottom = 0;
    for (int row = 0; row < height; ++row) {
        const uint32_t* line = SurfaceRow(alone, row);
        for (int col = 0; col < width; ++col) {
            if ((line[col] >> 24) < 64) continue;
            left = std::min(left, col);
            right = std::max(right, col + 1);
            top = std::min(top, row);
            bottom = std::max(bottom, row + 1);
        }
    }
    if (right <= left) {
        left = top = 0;
        right = width;
        bottom = height;
    }
    double inkWidth = right - left, inkHeight = bottom - top;
    double scale =
        std::min((boxWidth - 2 * outline) / inkWidth, (boxHeight - 2 * outline) / inkHeight);
    cairo_push_group(cr);
    cairo_translate(cr, x + (boxWidth - inkWidth * scale) / 2,
                    y + (boxHeight - inkHeight * scale) / 2);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, alone, -left, -top);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_pattern_t* sprite = cairo_pop_group(cr);
    cairo_surface_destroy(alone);
    // Silhouette outline: the sprite's shape, shifted around in a ring, in the outline colour.
    SetColour(cr, palette::Outline);
    for (int i = 0; i < 12; ++i) {
        double a = 2 * M_PI * i / 12;
        cairo_save(cr);
        cairo_translate(cr, std::cos(a) * outline, std::sin(a) * outline);
        cairo_mask(cr, sprite);
        cairo_restore(cr);
    }
    cairo_set_source(cr, sprite);
    cairo_paint(cr);
    cairo_pattern_destroy(sprite);
}

void AddAnimalRecipes(std::vector<Recipe>& recipes) {
    recipes.push_back(
        {"boar", [] {
             auto first = DrawStrip("grafik/tiere/wildschwein1.bmp", 13, BoarFrameWidth, BoarHeight,
                                    kSprite, [](cairo_t* cr, int f) { PaintBoarFrame(cr, f); });
             auto second =
                 DrawStrip("grafik/tiere/wildschwein2.bmp", 13, BoarFrameWidth, BoarHeight, kSprite,
                           [](cairo_t* cr, int f) { PaintBoarFrame(cr, f + 13); });
             std::vector<Picture> out;
             out.push_back(MirrorFrames(first, "grafik/tiere/wildschwein4.bmp"));
             out.push_back(MirrorFrames(second, "grafik/tiere/wildschwein5.bmp"));
             out.insert(out.begin(), std::move(second));
             out.insert(out.begin(), std::move(first));
             return out;
         }});
    recipes.push_back(
        {"apple on the boar", [] {
             auto first = DrawStrip("grafik/tiere/apfel1.bmp", 13, BoarFrameWidth, BoarHeight,
                                    kSprite, [](cairo_t* cr, int f) { PaintBoarApple(cr, f); });
             auto second =
                 DrawStrip("grafik/tiere/apfel2.bmp", 13, BoarFrameWidth, BoarHeight, kSprite,
                           [](cairo_t* cr, int f) { PaintBoarApple(cr, f + 13); });
             std::vector<Picture> out;
             out.push_back(MirrorFrames(first, "grafik/tiere/apfel4.bmp"));
             out.push_back(MirrorFrames(second, "grafik/tiere/apfel5.bmp"));
             out.insert(out.begin(), std::move(second));
             out.insert(out.begin(), std::move(first));
             return out;
         }});
    recipes.push_back({"duck", [] {
                           return FacingPair(
                               DrawStrip("grafik/tiere/flugente1.bmp", 13, DuckFrameWidth,
                                         DuckHeight, kSprite, PaintDuckFrame),
                               "grafik/tiere/flugente4.bmp");
                       }});
    recipes.push_back({"mole", [] {
                           return FacingPair(
                               DrawStrip("grafik/tiere/maulwurf1.bmp", 20, MoleFrameWidth,
                                         MoleHeight, kSprite, PaintMoleFrame),
                               "grafik/tiere/maulwurf4.bmp");
                       }});
    recipes.push_back({"quail", [] {
                           return FacingPair(
                               DrawStrip("grafik/tiere/wachtel1.bmp", 14, QuailFrameWidth,
                                         QuailHeight, kSprite, PaintQuailFrame),
                               "grafik/tiere/wachtel4.bmp");
                       }});
    recipes.push_back({"hare", [] {
                           return FacingPair(DrawStrip("grafik/tiere/Hase1.bmp", 30, HareFrameWidth,
                                                       HareHeight, kSprite, PaintHareFrame),
                                             "grafik/tiere/Hase4.bmp");
                       }});
    recipes.push_back({"raven", [] {
                           return FacingPair(DrawStrip("grafik/tiere/rabe1.bmp", 6, RavenFrameSize,
                                                       RavenFrameSize, kSprite, PaintRavenFrame),
                                             "grafik/tiere/rabe4.bmp");
                       }});
    recipes.push_back({"explosion", [] {
                           return std::vector<Picture>{
                               DrawStrip("grafik/tiere/explosion_anim.bmp", 9, ExplosionFrameSize,
                                         ExplosionFrameSize, kSprite, PaintExplosion)};
                       }});
    recipes.push_back({"crumbs", [] {
                           return std::vector<Picture>{DrawStrip("grafik/tiere/broesel_anim.bmp", 8,
                                                                 CrumbsFrameSize, CrumbsFrameSize,
                                                                 kSprite, PaintCrumbs)};
                       }});
}

}  // namespace assetgen
