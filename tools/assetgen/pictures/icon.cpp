#include "pictures/icon.h"

#include <cmath>

#include "pictures/animals.h"
#include "pictures/paint.h"
#include "pictures/picture.h"
#include "pictures/scene_layout.h"

namespace assetgen {

bool WriteIcon(const std::filesystem::path& pngFile, int size, std::string& error) {
    constexpr int Size = 256;
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    cairo_scale(cr, size / double(Size), size / double(Size));
    const double c = Size / 2.0;

    // A round clearing: sky above, meadow below, with a dark rim.
    auto disc = [&](cairo_t* context) { cairo_arc(context, c, c, 118, 0, 2 * M_PI); };
    PaintGradientShape(cr, disc, 10, palette::SkyHigh, 246, palette::SkyLow, 0);
    cairo_save(cr);
    disc(cr);
    cairo_clip(cr);
    SetColour(cr, palette::LeafGreen);
    cairo_rectangle(cr, 0, 150, Size, Size);
    cairo_fill(cr);
    SetColour(cr, palette::DeepGreen);
    for (int i = 0; i < 7; ++i) {  // a row of firs on the horizon
        double x = 20 + i * 36, h = 44 + (i % 3) * 14;
        cairo_move_to(cr, x - 18, 152);
        cairo_line_to(cr, x, 152 - h);
        cairo_line_to(cr, x + 18, 152);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    PaintAnimalIcon(cr, PaintBoar, 23, layout::BoarFrameWidth, layout::BoarHeight, 46, 92, 164, 130,
                    3);
    cairo_restore(cr);
    disc(cr);
    SetColour(cr, palette::Outline);
    cairo_set_line_width(cr, 8);
    cairo_stroke(cr);

    // The crosshair, red with a light halo so it reads on the boar's dark coat.
    auto crosshair = [&](double width, Rgb colour) {
        SetColour(cr, colour);
        cairo_set_line_width(cr, width);
        cairo_arc(cr, 150, 132, 46, 0, 2 * M_PI);
        cairo_stroke(cr);
        for (int arm = 0; arm < 4; ++arm) {
            double angle = arm * M_PI / 2;
            cairo_move_to(cr, 150 + std::cos(angle) * 24, 132 + std::sin(angle) * 24);
            cairo_line_to(cr, 150 + std::cos(angle) * 66, 132 + std::sin(angle) * 66);
            cairo_stroke(cr);
        }
    };
    crosshair(11, palette::Cream);
    crosshair(5, palette::Berry);

    cairo_surface_flush(canvas.surface());
    if (cairo_surface_write_to_png(canvas.surface(), pngFile.c_str()) != CAIRO_STATUS_SUCCESS) {
        error = "cannot write " + pngFile.string();
        return false;
    }
    return true;
}

}  // namespace assetgen
