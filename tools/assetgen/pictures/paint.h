// The painted look shared by every picture: shaded, outlined shapes, gradients, text and a
// deterministic random source for scattering leaves and grass.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

#include "pictures/colour.h"

namespace assetgen {

using PathBuilder = std::function<void(cairo_t* cr)>;

void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);

// A filled shape with a lit upper-left rim, a shaded lower-right rim and a dark outline.
struct ShapeStyle {
    Rgb fill;
    double light = 0.22;   // how much lighter the lit rim is
    double shade = 0.28;   // how much darker the shaded rim is
    double rim = 3.0;      // width of the lit and shaded rims in pixels
    double outline = 2.0;  // outline width; 0 for none
    Rgb outlineColour = palette::Outline;
};

void PaintShape(cairo_t* cr, const PathBuilder& path, const ShapeStyle& style);

// A shape filled with a top-to-bottom gradient, outlined.
void PaintGradientShape(cairo_t* cr, const PathBuilder& path, double top, Rgb topColour,
                        double bottom, Rgb bottomColour, double outline,
                        Rgb outlineColour = palette::Outline);

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r);

// Fills the whole current clip with a vertical gradient through the given stops.
void FillVerticalGradient(cairo_t* cr, double top, double bottom,
                          std::initializer_list<std::pair<double, Rgb>> stops);

// A small, fully deterministic random source (xorshift), the same on every machine.
class Random {
  public:
    explicit Random(uint32_t seed) : state_(seed * 2654435761u + 0x9e3779b9u) {
        if (state_ == 0) state_ = 1;
    }
    uint32_t Next();
    double Uniform(double low, double high);  // [low, high)
    int Below(int n);                         // 0 .. n-1

  private:
    uint32_t state_;
};

enum class Font { Sans, SansBold, SerifBold };

// Text from the DejaVu faces Debian installs. `anchor` 0 = left, 0.5 = centred, 1 = right at x;
// y is the baseline.
struct TextStyle {
    Font font = Font::SansBold;
    double size = 20;
    Rgb fill = palette::Cream;
    double outline = 0;  // outline width around the glyphs; 0 for none
    Rgb outlineColour = palette::Outline;
    double anchor = 0;
};

void DrawText(cairo_t* cr, const std::string& utf8, double x, double y, const TextStyle& style);
double TextWidth(cairo_t* cr, const std::string& utf8, Font font, double size);
void SelectFont(cairo_t* cr, Font font, double size);

}  // namespace assetgen
