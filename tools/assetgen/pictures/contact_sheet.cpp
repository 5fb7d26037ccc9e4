// The contact sheet: every picture of the pack on one labelled PNG, transparent pixels shown as
// a checkerboard, so people can judge the whole pack at a glance.
#include <algorithm>
#include <cstdio>

#include "pictures/paint.h"
#include "pictures/picture_pack.h"
#include "pictures/recipes.h"

namespace assetgen {

namespace {

constexpr int kSheetWidth = 2400;
constexpr int kMargin = 16;
constexpr int kLabelHeight = 18;
constexpr double kMaxWidth = 1180;
constexpr double kMaxHeight = 300;

// An RGB24 cairo surface of the picture with its key pixels replaced by a checkerboard.
cairo_surface_t* ShowPicture(const Picture& picture) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
    Rgb key = KeyColour(picture.key);
    for (int y = 0; y < picture.height; ++y) {
        uint32_t* row = SurfaceRow(surface, y);
        for (int x = 0; x < picture.width; ++x) {
            Rgb c = picture.At(x, y);
            if (picture.key != Key::None && c == key) {
                bool light = ((x / 8) + (y / 8)) % 2 == 0;
                c = light ? Rgb{206, 206, 214} : Rgb{166, 166, 176};
            }
            row[x] = (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

struct Placement {
    const Picture* picture;
    double scale;
    int x, y, w, h;
};

}  // namespace

bool WriteContactSheet(const std::filesystem::path& pngFile, std::string& error) {
    std::vector<Picture> pictures = DrawAllPictures();
    std::vector<Placement> placements;
    int x = kMargin, y = kMargin, shelfHeight = 0;
    for (const Picture& picture : pictures) {
        double scale = std::min({1.0, kMaxWidth / picture.width, kMaxHeight / picture.height});
        int w = std::max(1, static_cast<int>(picture.width * scale));
        int h = std::max(1, static_cast<int>(picture.height * scale)) + kLabelHeight;
        int cellWidth = std::max(w, 250);
        if (x + cellWidth > kSheetWidth - kMargin) {
            x = kMargin;
            y += shelfHeight + kMargin;
            shelfHeight = 0;
        }
        placements.push_back({&picture, scale, x, y, w, h});
        x += cellWidth + kMargin;
        shelfHeight = std::max(shelfHeight, h);
    }
    int height = y + shelfHeight + kMargin;

    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, height);
    cairo_t* cr = cairo_create(sheet);
    SetColour(cr, Rgb{52, 56, 60});
    cairo_paint(cr);
    for (const Placement& p : placements) {
        char label[200];
        std::snprintf(
            label, sizeof label, "%s  %dx%d%s", p.picture->path.c_str() + 7, p.picture->width,
            p.picture->height,
            p.picture->frames > 1 ? (" /" + std::to_string(p.picture->frames)).c_str() : "");
        DrawText(cr, label, p.x, p.y + 13, TextStyle{Font::Sans, 12, Rgb{230, 230, 230}});
        cairo_surface_t* image = ShowPicture(*p.picture);
        cairo_save(cr);
        cairo_translate(cr, p.x, p.y + kLabelHeight);
        cairo_scale(cr, p.scale, p.scale);
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr),
                                 p.scale < 1 ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(image);
        // Frame borders of strips.
        if (p.picture->frames > 1) {
            SetColour(cr, Rgb{255, 200, 0}, 0.5);
            cairo_set_line_width(cr, 1);
            for (int f = 1; f < p.picture->frames; ++f) {
                double fx = p.x + f * (p.picture->width / p.picture->frames) * p.scale;
                cairo_move_to(cr, fx + 0.5, p.y + kLabelHeight);
                cairo_line_to(cr, fx + 0.5, p.y + p.h);
            }
            cairo_stroke(cr);
        }
    }
    cairo_destroy(cr);
    cairo_status_t status = cairo_surface_write_to_png(sheet, pngFile.c_str());
    cairo_surface_destroy(sheet);
    if (status != CAIRO_STATUS_SUCCESS) {
        error = "cannot write " + pngFile.string() + ": " + cairo_status_to_string(status);
        return false;
    }
    return true;
}

}  // namespace assetgen
