// assetgen: writes the game's whole asset pack (grafik/**/*.bmp, sounds/**/*.wav).
//
//   assetgen --out DIR                 write every picture and sound below DIR
//   assetgen --out DIR --only pictures (or sounds)
//   assetgen --contact-sheet FILE.png  draw every picture on one labelled sheet
//   assetgen --listen DIR              write a level/length picture per sound into DIR
//   assetgen --levels FILE.md          write the mix as a table: each sound's loudness and peak
//   assetgen --preview DIR             write rough in-game views composed from the pictures
//   assetgen --icon FILE.png [--icon-size N]
//                                      draw the desktop icon, N x N pixels (default 256)
//   assetgen --world-strip FILE.png [--data DIR] [--full-size]
//                                      the whole world as a round shows it, all layers and
//                                      objects, from a generated pack (half size by default)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "pictures/icon.h"
#include "pictures/picture_pack.h"
#include "pictures/scene_preview.h"
#include "sounds/sound_pack.h"
#include "world_strip.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: assetgen --out DIR [--only pictures|sounds]\n"
                 "       assetgen --contact-sheet FILE.png\n"
                 "       assetgen --listen DIR\n"
                 "       assetgen --levels FILE.md\n"
                 "       assetgen --preview DIR\n"
                 "       assetgen --icon FILE.png [--icon-size N]\n"
                 "       assetgen --world-strip FILE.png [--data DIR] [--full-size]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path outDir;
    std::filesystem::path contactSheet;
    std::filesystem::path listenDir;
    std::filesystem::path levelTable;
    std::filesystem::path previewDir;
    std::filesystem::path iconFile;
    int iconSize = 256;
    std::filesystem::path worldStrip;
    assetgen::WorldStripOptions stripOptions;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        // Whether argument i is `flag` with a value after it; then `value` is that value and i
        // steps over it.
        const char* value = nullptr;
        auto takes = [&](const char* flag) {
            if (std::strcmp(argv[i], flag) != 0 || i + 1 >= argc) return false;
            value = argv[++i];
            return true;
        };
        if (takes("--out")) {
            outDir = value;
        } else if (takes("--contact-sheet")) {
            contactSheet = value;
        } else if (takes("--listen")) {
            listenDir = value;
        } else if (takes("--levels")) {
            levelTable = value;
        } else if (takes("--preview")) {
            previewDir = value;
        } else if (takes("--icon")) {
            iconFile = value;
        } else if (takes("--icon-size")) {
            iconSize = std::atoi(value);
            if (iconSize < 16 || iconSize > 1024) return Usage();
        } else if (takes("--only")) {
            only = value;
        } else if (takes("--world-strip")) {
            worldStrip = value;
        } else if (takes("--data")) {
            stripOptions.dataDir = value;
        } else if (std::strcmp(argv[i], "--full-size") == 0) {
            stripOptions.fullSize = true;
        } else {
            return Usage();
        }
    }
    if (outDir.empty() && contactSheet.empty() && listenDir.empty() && levelTable.empty() &&
        previewDir.empty() && iconFile.empty() && worldStrip.empty()) {
        return Usage();
    }
    if (!only.empty() && only != "pictures" && only != "sounds") return Usage();

    std::string error;
    auto started = std::chrono::steady_clock::now();
    if (!outDir.empty()) {
        if (only != "sounds" && !assetgen::WritePicturePack(outDir, error)) {
            std::fprintf(stderr, "assetgen: pictures: %s\n", error.c_str());
            return 1;
        }
        if (only != "pictures" && !assetgen::WriteSoundPack(outDir, error)) {
            std::fprintf(stderr, "assetgen: sounds: %s\n", error.c_str());
            return 1;
        }
    }
    if (!contactSheet.empty() && !assetgen::WriteContactSheet(contactSheet, error)) {
        std::fprintf(stderr, "assetgen: contact sheet: %s\n", error.c_str());
        return 1;
    }
    if (!listenDir.empty() && !assetgen::WriteListeningSheets(listenDir, error)) {
        std::fprintf(stderr, "assetgen: listen: %s\n", error.c_str());
        return 1;
    }
    if (!levelTable.empty() && !assetgen::WriteLevelTable(levelTable, error)) {
        std::fprintf(stderr, "assetgen: levels: %s\n", error.c_str());
        return 1;
    }
    if (!previewDir.empty() && !assetgen::WriteScenePreviews(previewDir, error)) {
        std::fprintf(stderr, "assetgen: preview: %s\n", error.c_str());
        return 1;
    }
    if (!iconFile.empty() && !assetgen::WriteIcon(iconFile, iconSize, error)) {
        std::fprintf(stderr, "assetgen: icon: %s\n", error.c_str());
        return 1;
    }
    if (!worldStrip.empty() && !assetgen::WriteWorldStrip(worldStrip, stripOptions, error)) {
        std::fprintf(stderr, "assetgen: world strip: %s\n", error.c_str());
        return 1;
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("assetgen: done in %.2f s\n", seconds);
    return 0;
}
