// tqdriver: the real game on the headless backend, driven by a script in virtual time.
//
//   tqdriver [--data DIR] [--frames N] [--step MS] [--script FILE] [--autoplay [--rounds N]]
//            [--panorama] [--shot FRAME:FILE.bmp]... [--state FILE.json]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "app/application.h"
#include "app/data_directory.h"
#include "autoplayer.h"
#include "display/bmp_writer.h"
#include "game_state_json.h"
#include "platform/headless/headless_backend.h"
#include "script.h"

namespace {

struct Options {
    std::string dataDir;
    int frames = -1;
    int stepMs = 16;
    std::string scriptFile;
    bool autoplay = false;
    int rounds = 0;  // with --autoplay: rounds to play before closing (0: one, or until --frames)
    bool panorama = false;  // the whole hunting ground, whatever the options file says
    std::vector<driver::ScriptEntry> extra;  // --shot entries
    std::string stateFile;
};

int Usage(const char* why) {
    std::fprintf(stderr,
                 "tqdriver: %s\n"
                 "usage: tqdriver [--data DIR] [--frames N] [--step MS] [--script FILE] "
                 "[--autoplay [--rounds N]] [--panorama] [--shot FRAME:FILE.bmp]... "
                 "[--state FILE.json]\n",
                 why);
    return 2;
}

class ScriptedRun : public platform::HeadlessBackend::FrameHooks {
  public:
    ScriptedRun(const Options& options, std::vector<driver::ScriptEntry> entries,
                driver::Autoplayer* autoplayer)
        : options_(options), entries_(std::move(entries)), autoplayer_(autoplayer) {}

    void BeforeFrame(platform::HeadlessBackend& backend, int frame) override {
        backend.AdvanceTime(static_cast<uint32_t>(options_.stepMs));
        if (options_.frames >= 0 && frame >= options_.frames) {
            Finish(backend);
            return;
        }
        for (const auto& entry : entries_) {
            if (entry.frame == frame) Apply(backend, entry);
        }
        if (autoplayer_) autoplayer_->BeforeFrame(backend, frame);
    }

    void AfterFrame(platform::HeadlessBackend& backend, int frame) override {
        for (const auto& entry : entries_) {
            if (entry.frame != frame) continue;
            if (entry.verb == "shot") Shot(backend, entry.text);
            if (entry.verb == "state") driver::WriteGameState(entry.text, frame);
        }
        lastFrame_ = frame;
    }

    int LastFrame() const { return lastFrame_; }

  private:
    void Finish(platform::HeadlessBackend& backend) {
        if (finished_) return;
        finished_ = true;
        backend.PostClose();
    }

    void Apply(platform::HeadlessBackend& backend, const driver::ScriptEntry& entry) {
        platform::Event event;
        if (entry.verb == "move") {
            backend.SetCursor(entry.x, entry.y);
        } else if (entry.verb == "down") {
            backend.SetKey(entry.key, true);
        } else if (entry.verb == "up") {
            backend.SetKey(entry.key, false);
        } else if (entry.verb == "click") {
            backend.Click(entry.key);
        } else if (entry.verb == "pad") {
            backend.ClickPad(entry.button);
        } else if (entry.verb == "stick") {
            backend.SetStick({entry.stickX, entry.stickY});
        } else if (entry.verb == "text") {
            backend.QueueText(entry.text);
        } else if (entry.verb == "minimize") {
            event.type = platform::EventType::Size;
            event.sizeKind = platform::SizeKind::Minimized;
            backend.QueueEvent(event);
        } else if (entry.verb == "restore") {
            event.type = platform::EventType::Size;
            event.sizeKind = platform::SizeKind::Restored;
            backend.QueueEvent(event);
            event.type = platform::EventType::Move;
            backend.QueueEvent(event);
        } else if (entry.verb == "quit") {
            Finish(backend);
        }
    }

    static void Shot(platform::HeadlessBackend& backend, const std::string& file) {
        if (backend.LastFrame().empty()) {
            std::fprintf(stderr, "tqdriver: no frame presented yet for %s\n", file.c_str());
            return;
        }
        if (!display::WriteRgb565Bmp(file, backend.LastFrame().data(), platform::ScreenWidth,
                                     platform::ScreenHeight, platform::ScreenWidth))
            std::fprintf(stderr, "tqdriver: cannot write %s\n", file.c_str());
    }

    const Options& options_;
    std::vector<driver::ScriptEntry> entries_;
    driver::Autoplayer* autoplayer_;
    bool finished_ = false;
    int lastFrame_ = -1;
};

std::string AbsolutePath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code ec;
    auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (arg == "--autoplay") {
            options.autoplay = true;
        } else if (arg == "--panorama") {
            options.panorama = true;
        } else if (arg == "--data" && (v = value())) {
            options.dataDir = v;
        } else if (arg == "--frames" && (v = value())) {
            options.frames = std::atoi(v);
        } else if (arg == "--rounds" && (v = value())) {
            options.rounds = std::atoi(v);
            if (options.rounds <= 0) return Usage("--rounds needs a positive number");
        } else if (arg == "--step" && (v = value())) {
            options.stepMs = std::atoi(v);
            if (options.stepMs <= 0) return Usage("--step needs a positive number of ms");
        } else if (arg == "--script" && (v = value())) {
            options.scriptFile = v;
        } else if (arg == "--state" && (v = value())) {
            options.stateFile = v;
        } else if (arg == "--shot" && (v = value())) {
            std::string shot = v;
            auto colon = shot.find(':');
            if (colon == std::string::npos) return Usage("--shot needs FRAME:FILE.bmp");
            driver::ScriptEntry entry;
            entry.frame = std::atoi(shot.substr(0, colon).c_str());
            entry.verb = "shot";
            entry.text = shot.substr(colon + 1);
            options.extra.push_back(entry);
        } else {
            return Usage(("unknown or incomplete argument " + arg).c_str());
        }
    }

    std::vector<driver::ScriptEntry> entries;
    if (!options.scriptFile.empty()) {
        std::ifstream file(options.scriptFile);
        if (!file) return Usage(("cannot read " + options.scriptFile).c_str());
        std::stringstream text;
        text << file.rdbuf();
        std::string error;
        if (!driver::ParseScript(text.str(), entries, error)) {
            std::fprintf(stderr, "tqdriver: %s: %s\n", options.scriptFile.c_str(), error.c_str());
            return 2;
        }
    }
    entries.insert(entries.end(), options.extra.begin(), options.extra.end());
    if (options.frames < 0 && !options.autoplay) {
        // Without a frame count the run lasts until the script's last entry, or 600 frames.
        bool quits = false;
        int last = -1;
        for (const auto& entry : entries) {
            quits = quits || entry.verb == "quit";
            last = std::max(last, entry.frame);
        }
        if (!quits) options.frames = last >= 0 ? last + 1 : 600;
    }
    // Output files are named relative to where the driver was started, not the data directory.
    for (auto& entry : entries) {
        if (entry.verb == "shot" || entry.verb == "state") entry.text = AbsolutePath(entry.text);
    }
    std::string stateFile = AbsolutePath(options.stateFile);

    if (!options.dataDir.empty()) {
        std::error_code ec;
        std::filesystem::current_path(options.dataDir, ec);
        if (ec) return Usage(("cannot enter " + options.dataDir).c_str());
    } else {
        app::EnterDataDirectory(argv[0]);
    }

    platform::HeadlessBackend backend;
    backend.SetEchoToStderr(true);
    backend.SetTime(1000);
    // Without a frame count the autoplayer plays one round and then closes the game.
    driver::Autoplayer autoplayer(options.rounds > 0 ? options.rounds
                                                     : (options.frames < 0 ? 1 : 0));
    ScriptedRun run(options, std::move(entries), options.autoplay ? &autoplayer : nullptr);
    backend.SetFrameHooks(&run);
    platform::SetBackend(&backend);
    int code = app::GameMain({.panorama = options.panorama}, [&] {
        if (!stateFile.empty())
            driver::WriteGameState(stateFile, run.LastFrame(),
                                   options.autoplay ? &autoplayer : nullptr);
    });
    platform::SetBackend(nullptr);
    return code;
}
