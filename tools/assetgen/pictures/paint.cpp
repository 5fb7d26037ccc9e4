#include "pictures/paint.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <map>
#include <memory>

namespace assetgen {

void SetColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

namespace {

void ShiftedPath(cairo_t* cr, const PathBuilder& path, double dx, double dy) {
    cairo_save(cr);
    cairo_translate(cr, dx, dy);
    path(cr);
    cairo_restore(cr);
}

// Fills the part of the current clip that the shape, shifted by (dx, dy), does not cover.
void FillUncovered(cairo_t* cr, const PathBuilder& path, double dx, double dy, Rgb colour) {
    cairo_push_group(cr);
    SetColour(cr, colour);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_new_path(cr);
    ShiftedPath(cr, path, dx, dy);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
}

}  // namespace

void PaintShape(cairo_t* cr, const PathBuilder& path, const ShapeStyle& style) {
    cairo_save(cr);
    cairo_new_path(cr);
    path(cr);
    // The outline is stroked first at twice its width and covered by the fill, so shapes made
    // of several overlapping pieces get one outline around the whole.
    if (style.outline > 0) {
        SetColour(cr, style.outlineColour);
        cairo_set_line_width(cr, style.outline * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
    }
    SetColour(cr, style.fill);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    if (style.rim > 0) {
        if (style.light > 0) {
            FillUncovered(cr, path, style.rim, style.rim, Lighter(style.fill, style.light));
        }
        if (style.shade > 0) {
            FillUncovered(cr, path, -style.rim, -style.rim, Darker(style.fill, style.shade));
        }
    }
    cairo_restore(cr);
    cairo_new_path(cr);
}

void PaintGradientShape(cairo_t* cr, const PathBuilder& path, double top, Rgb topColour,
                        double bottom, Rgb bottomColour, double outline, Rgb outlineColour) {
    cairo_save(cr);
    cairo_new_path(cr);
    path(cr);
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgb(gradient, 0, topColour.r / 255.0, topColour.g / 255.0,
                                     topColour.b / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 1, bottomColour.r / 255.0, bottomColour.g / 255.0,
                                     bottomColour.b / 255.0);
    if (outline > 0) {
        SetColour(cr, outlineColour);
        cairo_set_line_width(cr, outline * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
    cairo_new_path(cr);
    cairo_restore(cr);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void FillVerticalGradient(cairo_t* cr, double top, double bottom,
                          std::initializer_list<std::pair<double, Rgb>> stops) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, top, 0, bottom);
    for (const auto& [offset, c] : stops) {
        cairo_pattern_add_color_stop_rgb(gradient, offset, c.r / 255.0, c.g / 255.0, c.b / 255.0);
    }
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
}

uint32_t Random::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double Random::Uniform(double low, double high) {
    return low + (high - low) * (Next() >> 8) / static_cast<double>(1u << 24);
}

int Random::Below(int n) {
    return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n));
}

namespace {

const char* FontFile(Font font) {
    switch (font) {
        case Font::Sans:
            return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        case Font::SansBold:
            return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
        case Font::SerifBold:
            return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    }
    return "";
}

// FreeType faces are not shared between threads: each drawing thread opens its own.
struct ThreadFonts {
    FT_Library library = nullptr;
    std::map<Font, cairo_font_face_t*> faces;

    ThreadFonts() { FT_Init_FreeType(&library); }
    ~ThreadFonts() {
        for (auto& [font, face] : faces) cairo_font_face_destroy(face);
        // The FT faces are released by cairo with the font faces; the library stays until exit,
        // since cairo may still hold cached scaled fonts that refer to it.
    }

    cairo_font_face_t* Face(Font font) {
        auto found = faces.find(font);
        if (found != faces.end()) return found->second;
        FT_Face ftFace = nullptr;
        cairo_font_face_t* face = nullptr;
        if (library && FT_New_Face(library, FontFile(font), 0, &ftFace) == 0) {
            face = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
            static const cairo_user_data_key_t kFaceKey{};
            cairo_font_face_set_user_data(face, &kFaceKey, ftFace,
                                          [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
        } else {
            face = cairo_toy_font_face_create(
                "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                font == Font::Sans ? CAIRO_FONT_WEIGHT_NORMAL : CAIRO_FONT_WEIGHT_BOLD);
        }
        faces[font] = face;
        return face;
    }
};

ThreadFonts& Fonts() {
    thread_local ThreadFonts fonts;
    return fonts;
}

}  // namespace

void SelectFont(cairo_t* cr, Font font, double size) {
    cairo_set_font_face(cr, Fonts().Face(font));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, const std::string& utf8, Font font, double size) {
    cairo_save(cr);
    SelectFont(cr, font, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, utf8.c_str(), &extents);
    cairo_restore(cr);
    return extents.x_advance;
}

void DrawText(cairo_t* cr, const std::string& utf8, double x, double y, const TextStyle& style) {
    cairo_save(cr);
    SelectFont(cr, style.font, style.size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, utf8.c_str(), &extents);
    cairo_new_path(cr);
    cairo_move_to(cr, x - extents.x_advance * style.anchor, y);
    cairo_text_path(cr, utf8.c_str());
    if (style.outline > 0) {
        SetColour(cr, style.outlineColour);
        cairo_set_line_width(cr, style.outline * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    SetColour(cr, style.fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace assetgen
