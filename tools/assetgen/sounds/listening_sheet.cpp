// Listening sheets: a picture per sound (waveform with its levels over a spectrogram) and one
// overview of the whole set, so a reviewer sees lengths, levels, clipping and clicks at a glance.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "sounds/envelopes.h"
#include "sounds/mastering.h"
#include "sounds/sound_catalogue.h"
#include "sounds/sound_pack.h"
#include "sounds/spectrum.h"

namespace assetgen {

namespace {

using sound::Clip;
using sound::LevelReport;
using sound::Samples;

constexpr int kSheetWidth = 960;
constexpr int kSheetHeight = 430;
constexpr int kPlotLeft = 60;
constexpr int kPlotRight = 940;
constexpr int kWaveTop = 62;
constexpr int kWaveHeight = 170;
constexpr int kSpectrumTop = 252;
constexpr int kSpectrumHeight = 150;
constexpr double kLowestHz = 40.0;
constexpr double kHighestHz = 20000.0;
constexpr double kFloorDb = -100.0;

// The effects share this time scale on the overview; the music has its own.
constexpr double kOverviewEffectSeconds = 3.5;

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};

Samples Mid(const Clip& clip) {
    if (!clip.IsStereo()) return clip.left;
    Samples mid(clip.Frames());
    for (std::size_t i = 0; i < mid.size(); ++i) mid[i] = 0.5f * (clip.left[i] + clip.right[i]);
    return mid;
}

// Dark blue through purple and orange to pale yellow, by level from the floor to 0 dB.
void HeatColour(double db, double& r, double& g, double& b) {
    const double x = std::clamp((db - kFloorDb) / -kFloorDb, 0.0, 1.0);
    r = std::clamp(1.6 * x - 0.1, 0.0, 1.0);
    g = std::clamp(2.0 * x - 1.0, 0.0, 1.0);
    b = std::clamp(x < 0.5 ? 0.15 + 1.2 * x : 1.35 - 1.3 * x, 0.0, 1.0) * (x < 0.9 ? 1.0 : 0.8);
}

void Text(cairo_t* cr, double x, double y, const std::string& text, double size = 12.0) {
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

std::string Format(const char* format, double a, double b = 0.0, double c = 0.0, double d = 0.0) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
    return buffer;
}

// Max and min per column over the frames [first, last) of every channel.
struct ColumnRange {
    double low = 0.0, high = 0.0, rms = 0.0;
};

ColumnRange MeasureColumn(const Clip& clip, std::size_t first, std::size_t last) {
    ColumnRange range;
    double squares = 0.0;
    std::size_t count = 0;
    for (const Samples* channel : {&clip.left, &clip.right}) {
        for (std::size_t i = first; i < last && i < channel->size(); ++i) {
            const auto sample = static_cast<double>((*channel)[i]);
            range.low = std::min(range.low, sample);
            range.high = std::max(range.high, sample);
            squares += sample * sample;
            ++count;
        }
    }
    range.rms = count > 0 ? std::sqrt(squares / static_cast<double>(count)) : 0.0;
    return range;
}

void DrawWaveform(cairo_t* cr, const Clip& clip, int left, int top, int width, int height,
                  double seconds) {
    cairo_set_source_rgb(cr, 0.97, 0.97, 0.95);
    cairo_rectangle(cr, left, top, width, height);
    cairo_fill(cr);
    const double middle = top + height / 2.0;
    const double half = height / 2.0;
    // Guides at -1 dBFS (red) and -6 dBFS (grey).
    for (double db : {-1.0, -6.0}) {
        const double y = half * sound::DbToGain(db);
        if (db == -1.0)
            cairo_set_source_rgb(cr, 0.85, 0.2, 0.2);
        else
            cairo_set_source_rgb(cr, 0.7, 0.7, 0.7);
        cairo_set_line_width(cr, 1.0);
        for (double sign : {-1.0, 1.0}) {
            cairo_move_to(cr, left, middle - sign * y);
            cairo_line_to(cr, left + width, middle - sign * y);
        }
        cairo_stroke(cr);
    }
    const double framesPerColumn = seconds * sound::kSampleRateHz / width;
    for (int x = 0; x < width; ++x) {
        const std::size_t first = static_cast<std::size_t>(x * framesPerColumn);
        const std::size_t last = static_cast<std::size_t>((x + 1) * framesPerColumn) + 1;
        if (first >= clip.Frames()) break;
        const ColumnRange range = MeasureColumn(clip, first, last);
        const bool clipped = range.high > 0.999 || range.low < -0.999;
        cairo_set_source_rgb(cr, clipped ? 0.9 : 0.45, clipped ? 0.1 : 0.6, clipped ? 0.1 : 0.9);
        cairo_rectangle(cr, left + x, middle - range.high * half, 1.0,
                        std::max(1.0, (range.high - range.low) * half));
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.1, 0.2, 0.55);
        cairo_rectangle(cr, left + x, middle - range.rms * half, 1.0, 2.0 * range.rms * half);
        cairo_fill(cr);
    }
}

void DrawSpectrogram(cairo_t* cr, const Samples& mid, int left, int top, int width, int height,
                     double seconds) {
    const std::size_t size = 2048;
    const double framesPerColumn = seconds * sound::kSampleRateHz / width;
    const double binHz = sound::kSampleRateHz / size;
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    const int stride = cairo_image_surface_get_stride(image);
    unsigned char* pixels = cairo_image_surface_get_data(image);
    cairo_surface_flush(image);
    for (int x = 0; x < width; ++x) {
        const std::size_t centre = static_cast<std::size_t>((x + 0.5) * framesPerColumn);
        const std::vector<double> db = sound::SpectrumDb(mid, centre, size);
        for (int y = 0; y < height; ++y) {
            const double fraction = 1.0 - (y + 0.5) / height;
            const double hz = kLowestHz * std::pow(kHighestHz / kLowestHz, fraction);
            const std::size_t bin =
                std::min(db.size() - 1, static_cast<std::size_t>(hz / binHz + 0.5));
            double r, g, b;
            HeatColour(centre < mid.size() ? db[bin] : kFloorDb, r, g, b);
            std::uint32_t* pixel = reinterpret_cast<std::uint32_t*>(pixels + y * stride) + x;
            *pixel = (static_cast<std::uint32_t>(r * 255) << 16) |
                     (static_cast<std::uint32_t>(g * 255) << 8) |
                     static_cast<std::uint32_t>(b * 255);
        }
    }
    cairo_surface_mark_dirty(image);
    cairo_set_source_surface(cr, image, left, top);
    cairo_paint(cr);
    cairo_surface_destroy(image);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    for (double hz : {100.0, 1000.0, 10000.0}) {
        const double y =
            top + height * (1.0 - std::log(hz / kLowestHz) / std::log(kHighestHz / kLowestHz));
        Text(cr, 8, y + 4, hz >= 1000.0 ? Format("%.0fk", hz / 1000.0) : Format("%.0f", hz), 10.0);
    }
}

void DrawTimeAxis(cairo_t* cr, int left, int top, int width, double seconds) {
    const double step = seconds > 20.0 ? 10.0 : seconds > 4.0 ? 1.0 : seconds > 1.0 ? 0.25 : 0.1;
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    for (double t = 0.0; t <= seconds + 1e-9; t += step) {
        const double x = left + width * t / seconds;
        cairo_move_to(cr, x, top);
        cairo_line_to(cr, x, top + 5);
        cairo_stroke(cr);
        Text(cr, x - 8, top + 16, Format(step < 1.0 ? "%.2f" : "%.0f", t), 10.0);
    }
}

// The figure the mix is set by: an effect's loudest 400 ms, a tune's average.
double LoudnessInTheMix(const sound::SoundEntry& entry, const Clip& clip) {
    return sound::MixLoudness(clip, sound::PlanFor(entry));
}

std::string LevelLine(const LevelReport& report) {
    return Format("%.2f s   loudest 400 ms %.1f LUFS   integrated %.1f LUFS   true peak %.1f dBTP",
                  report.seconds, report.momentaryLufs, report.integratedLufs, report.truePeakDb) +
           Format("   first/last sample %.4f / %.4f   DC %.5f", report.edgeStart, report.edgeEnd,
                  report.dcOffset) +
           (report.channels == 2 ? "   stereo" : "   mono");
}

bool WriteSheet(const std::filesystem::path& file, const sound::SoundEntry& entry, const Clip& clip,
                const LevelReport& report, std::string& error) {
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, kSheetHeight));
    std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(surface.get()));
    cairo_t* cr = context.get();
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    Text(cr, 10, 20, std::string(entry.path) + "  -  " + entry.what, 14.0);
    Text(cr, 10, 42, LevelLine(report), 12.0);
    const int width = kPlotRight - kPlotLeft;
    const double seconds = std::max(report.seconds, 0.05);
    DrawWaveform(cr, clip, kPlotLeft, kWaveTop, width, kWaveHeight, seconds);
    DrawSpectrogram(cr, Mid(clip), kPlotLeft, kSpectrumTop, width, kSpectrumHeight, seconds);
    DrawTimeAxis(cr, kPlotLeft, kSpectrumTop + kSpectrumHeight + 2, width, seconds);
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    Text(cr, 8, kWaveTop + 12, "wave", 10.0);
    Text(cr, 8, kWaveTop + 26, "-1 dB", 10.0);

    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (cairo_surface_write_to_png(surface.get(), file.c_str()) != CAIRO_STATUS_SUCCESS) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

struct Rendered {
    const sound::SoundEntry* entry;
    Clip clip;
    LevelReport report;
};

bool WriteOverview(const std::filesystem::path& file, const std::vector<Rendered>& sounds,
                   std::string& error) {
    const int rowHeight = 26;
    const int top = 50;
    const int width = 1300;
    const int height = top + rowHeight * static_cast<int>(sounds.size()) + 20;
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(surface.get()));
    cairo_t* cr = context.get();
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    Text(cr, 10, 20,
         "Sound pack overview: waveform on a common time scale (effects 0-3.5 s, music its "
         "whole length); loudness in the mix (blue bar: an effect's loudest 400 ms, a tune's "
         "average) and true peak (red tick) on -40..0",
         13.0);
    Text(cr, 10, 40, "file", 11.0);
    Text(cr, 250, 40, "LUFS / dBTP -40 .. 0", 11.0);
    Text(cr, 470, 40, "length   LUFS   dBTP", 11.0);
    Text(cr, 700, 40, "waveform", 11.0);
    const int waveLeft = 700, waveWidth = 580;
    for (std::size_t row = 0; row < sounds.size(); ++row) {
        const Rendered& sound = sounds[row];
        const double y = top + static_cast<double>(row) * rowHeight;
        if (row % 2 == 1) {
            cairo_set_source_rgb(cr, 0.95, 0.95, 0.97);
            cairo_rectangle(cr, 0, y, width, rowHeight);
            cairo_fill(cr);
        }
        cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
        const std::string name = std::string(sound.entry->path).substr(7);  // without "sounds/"
        Text(cr, 10, y + 17, name, 12.0);
        auto levelX = [](double db) {
            return 250.0 + 200.0 * (std::clamp(db, -40.0, 0.0) + 40.0) / 40.0;
        };
        cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
        cairo_rectangle(cr, 250, y + 6, 200, rowHeight - 12);
        cairo_fill(cr);
        const double loudness = LoudnessInTheMix(*sound.entry, sound.clip);
        cairo_set_source_rgb(cr, 0.2, 0.35, 0.8);
        cairo_rectangle(cr, 250, y + 6, levelX(loudness) - 250, rowHeight - 12);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.85, 0.1, 0.1);
        cairo_rectangle(cr, levelX(sound.report.truePeakDb) - 1, y + 3, 3, rowHeight - 6);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
        Text(cr, 470, y + 17,
             Format("%6.2f s %6.1f %6.1f", sound.report.seconds, loudness, sound.report.truePeakDb),
             12.0);
        const bool music = sound::IsMusic(*sound.entry);
        const double scale = music ? sound.report.seconds : kOverviewEffectSeconds;
        const double framesPerColumn = scale * sound::kSampleRateHz / waveWidth;
        const double middle = y + rowHeight / 2.0, half = rowHeight / 2.0 - 2.0;
        for (int x = 0; x < waveWidth; ++x) {
            const std::size_t first = static_cast<std::size_t>(x * framesPerColumn);
            if (first >= sound.clip.Frames()) break;
            const ColumnRange range = MeasureColumn(
                sound.clip, first, static_cast<std::size_t>((x + 1) * framesPerColumn) + 1);
            cairo_set_source_rgb(cr, music ? 0.3 : 0.45, music ? 0.6 : 0.6, music ? 0.4 : 0.9);
            cairo_rectangle(cr, waveLeft + x, middle - range.high * half, 1.0,
                            std::max(1.0, (range.high - range.low) * half));
            cairo_fill(cr);
        }
    }
    if (cairo_surface_write_to_png(surface.get(), file.c_str()) != CAIRO_STATUS_SUCCESS) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

}  // namespace

bool WriteListeningSheets(const std::filesystem::path& outDir, std::string& error) {
    std::vector<Rendered> sounds;
    std::printf("%-34s %7s %7s %7s %7s\n", "sound", "seconds", "target", "LUFS", "dBTP");
    for (const sound::SoundEntry& entry : sound::SoundCatalogue()) {
        Rendered rendered{&entry, sound::RenderSound(entry), {}};
        rendered.report = sound::MeasureLevels(rendered.clip);
        std::filesystem::path sheet = outDir / entry.path;
        sheet.replace_extension(".png");
        if (!WriteSheet(sheet, entry, rendered.clip, rendered.report, error)) return false;
        std::printf("%-34s %7.2f %7.1f %7.1f %7.1f\n", entry.path + 7, rendered.report.seconds,
                    entry.lufs, LoudnessInTheMix(entry, rendered.clip), rendered.report.truePeakDb);
        sounds.push_back(std::move(rendered));
    }
    return WriteOverview(outDir / "overview.png", sounds, error);
}

}  // namespace assetgen
