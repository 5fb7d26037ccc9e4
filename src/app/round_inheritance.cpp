#include "app/round_inheritance.h"

#include <array>
#include <atomic>
#include <cstring>
#include <type_traits>

#include "app/application.h"
#include "flow/controls.h"
#include "gamestate/frame_timing.h"
#include "gamestate/game_state.h"
#include "gamestate/pause.h"
#include "gamestate/point_popups.h"
#include "gamestate/round_state.h"
#include "gamestate/rules_random.h"
#include "platform/replay/byte_fields.h"
#include "presentation/loading_screen.h"
#include "presentation/main_menu.h"
#include "world/entity.h"
#include "world/weapon.h"

namespace app {

namespace {

template <typename T>
struct IsStdArray : std::false_type {};
template <typename T, size_t N>
struct IsStdArray<std::array<T, N>> : std::true_type {};

// One walk over a list of fields that writes them, reads them back, or adds them to a digest:
// the list is written once, so coding and decoding can never disagree.
class FieldPass {
  public:
    enum class Mode {
        Write,  // appends the fields to Written()
        Read,   // reads the input into the fields
        Hash,   // adds the fields to Digest()
    };

    explicit FieldPass(Mode mode, std::string_view input = {}) : mode_(mode), cursor_(input) {}

    bool Storing() const { return mode_ == Mode::Read; }

    template <typename T>
    void operator()(T& value) {
        if constexpr (std::is_array_v<T> || IsStdArray<T>::value) {
            for (auto& element : value) (*this)(element);
        } else if constexpr (std::is_same_v<T, std::atomic<int32_t>>) {
            int32_t plain = value.load();
            (*this)(plain);
            if (Storing()) value.store(plain);
        } else if constexpr (std::is_same_v<T, float>) {
            uint32_t bits = 0;
            std::memcpy(&bits, &value, sizeof bits);
            (*this)(bits);
            if (Storing()) std::memcpy(&value, &bits, sizeof value);
        } else {
            static_assert(std::is_integral_v<T> || std::is_enum_v<T>);
            uint64_t bits = static_cast<uint64_t>(value);
            Bits(bits, static_cast<int>(sizeof(T)));
            if (Storing()) value = static_cast<T>(bits);
        }
    }

    std::string& Written() { return written_; }
    // A value read that no game could have had.
    void Refuse() { refused_ = true; }
    // Whether the input was read whole, to its last byte, and nothing in it was refused.
    bool ReadWhole() const { return !refused_ && !cursor_.Short() && cursor_.Empty(); }
    uint64_t Digest() const { return digest_; }

  private:
    void Bits(uint64_t& bits, int bytes) {
        switch (mode_) {
            case Mode::Write:
                platform::replay::PutNumber(written_, bits, bytes);
                break;
            case Mode::Read:
                bits = cursor_.Number(bytes);
                break;
            case Mode::Hash:
                // FNV-1a over the little-endian bytes.
                for (int i = 0; i < bytes; ++i) {
                    digest_ ^= (bits >> (8 * i)) & 0xFF;
                    digest_ *= 0x100000001B3ull;
                }
                break;
        }
    }

    Mode mode_;
    platform::replay::ByteCursor cursor_;
    std::string written_;
    uint64_t digest_ = 0xCBF29CE484222325ull;
    bool refused_ = false;
};

// Far more numbers than the menu draws between two seeds; restoring more would take seconds.
constexpr uint64_t MostDrawsSinceSeed = uint64_t{1} << 24;

void GeneratorFields(FieldPass& f) {
    uint32_t seed = gamestate::Random.seed();
    uint64_t drawn = gamestate::Random.drawn();
    f(seed);
    f(drawn);
    if (!f.Storing()) return;
    if (drawn > MostDrawsSinceSeed) {
        f.Refuse();
        return;
    }
    gamestate::Random.Restore(seed, drawn);
}

void FrameTimingFields(FieldPass& f) {
    gamestate::FrameTimingState timing = gamestate::SaveFrameTiming();
    f(timing.durations);
    f(timing.position);
    f(timing.reference);
    f(timing.average);
    if (f.Storing()) gamestate::RestoreFrameTiming(timing);
}

// A field added to these records must be added below, or a replay starts without it: the sizes
// are checked so that the compiler says so.
static_assert(sizeof(gamestate::GameState) == 48, "a new field of GameState: add it below");
static_assert(sizeof(gamestate::PauseState) == 12, "a new field of PauseState: add it below");
static_assert(sizeof(ShellState) == 8, "a new field of ShellState: add it below");

void GameFields(FieldPass& f) {
    gamestate::GameState& g = gamestate::Game;
    f(g.GameScreen);
    f(g.StartScreenTime);
    f(g.LevelLoaded);
    f(g.EscLatch);
    f(g.LeftButtonLatch);
    f(g.RightButtonLatch);
    f(g.NameButtonLatch);
    f(g.PreviousWeaponLatch);
    f(g.NextWeaponLatch);
    f(g.ClickPoint.x);
    f(g.ClickPoint.y);
    f(g.LayerHit);
    f(g.PanoramaMode);
    f(g.CameraX);
    f(g.FarScroll);
    f(g.MidScroll);
    f(g.SpawnTimer);
    gamestate::PauseState& p = gamestate::Pause;
    f(p.MinimizedInGame);
    f(p.Pausing);
    f(p.PauseStart);
    f(p.PausedTotal);
    f(Shell.AppActive);
    f(Shell.RestorePending);
}

void MenuFields(FieldPass& f, presentation::MainMenu& menu) {
    f(menu.MusicOn);
    f(menu.StreamMusic);
    f(menu.sequencePosition);
    f(menu.slide);
    f(menu.slideDirection);
    f(menu.windowShown);
    persistence::HighScoreTable& table = menu.highScores;
    f(table.scores);
    f(table.names);
    f(table.checksums);
    f(table.pendingScore);
    f(table.editing);
    f(table.editIndex);
    f(table.backLockUntil);
}

void InheritedFields(FieldPass& f, presentation::MainMenu& menu) {
    GeneratorFields(f);
    FrameTimingFields(f);
    GameFields(f);
    MenuFields(f, menu);
}

// What a round changes as it is played, beyond what it inherited.
void PlayedFields(FieldPass& f) {
    gamestate::RoundState& r = gamestate::Round;
    f(r.roundFlag);
    f(r.quotas);
    f(r.score);
    f(r.streakCount);
    f(r.streakKind);
    f(r.crossbowTargetHit);
    f(r.cameraMin);
    f(r.cameraMax);
    f(r.QuotaStage);
    f(r.stageMessageEnd);
    f(r.bellSequence.notes);
    f(r.bellSequence.progress);
    f(r.bellSequence.times);
    f(r.bellSequence.inputPosition);
    f(r.RoundClock);
    f(r.RoundEnd);
    f(gamestate::PetalsShot);
    f(flow::ThrowRequested);
    for (world::Entity& e : world::EntityTable) {
        f(e.active);
        if (e.active == 0) continue;
        f(e.x);
        f(e.y);
        f(e.groundY);
        f(e.direction);
        f(e.verticalSpeed);
        f(e.plane);
        f(e.sinkOffset);
        f(e.state);
        f(e.timer);
        f(e.kind);
        f(e.firstFrame);
        f(e.lastFrame);
        f(e.hitPlane);
        f(e.lastUpdateMs);
        f(e.frame);
        f(e.linkedIndex);
        f(e.oneShot);
        f(e.hitCount);
    }
    if (world::Weapon* w = world::PlayerWeapon) {
        f(w->shotgunAvailable);
        f(w->crossbowAvailable);
        f(w->dynamiteAvailable);
        f(w->machineGunAvailable);
        f(w->readyAtMs);
        f(w->holdBlockUntilMs);
        f(w->selected);
        f(w->roundsLeft);
    }
}

bool Between(int32_t value, int32_t lowest, int32_t highest) {
    return value >= lowest && value <= highest;
}

// A camera or scroll position the world could have (and not a NaN).
bool OnTheWorld(float x) {
    return x >= -1.0e6f && x <= 1.0e6f;
}

bool Terminated(const char (&field)[persistence::HighScoreFieldSize]) {
    return std::memchr(field, 0, sizeof field) != nullptr;
}

// Values the game indexes or counts with stay in the ranges the game itself keeps them in.
bool HoldsTogether(const presentation::MainMenu& menu) {
    using presentation::MainMenu;
    const persistence::HighScoreTable& table = menu.highScores;
    if (!Between(gamestate::Game.GameScreen, gamestate::StartScreen, gamestate::GamePlayScreen) ||
        !Between(menu.sequencePosition, 0, MainMenu::TrophySequenceLength) ||
        !Between(menu.windowShown, MainMenu::NoWindow, MainMenu::CreditsWindow) ||
        !(menu.slide >= 0.0f && menu.slide <= MainMenu::OpenSlide) ||
        !Between(table.editIndex, -1, persistence::HighScoreCount - 1) || table.editing > 1 ||
        table.pendingScore > 1 || !Between(menu.StreamMusic, 0, 1) ||
        !Between(menu.MusicOn.load(), 0, 2) || !OnTheWorld(gamestate::Game.CameraX) ||
        !OnTheWorld(gamestate::Game.FarScroll) || !OnTheWorld(gamestate::Game.MidScroll))
        return false;
    for (int i = 0; i < persistence::HighScoreCount; ++i) {
        if (!Terminated(table.names[i]) || !Terminated(table.checksums[i])) return false;
    }
    return true;
}

}  // namespace

std::string CaptureRoundInheritance() {
    if (!presentation::Menu) return {};
    FieldPass pass(FieldPass::Mode::Write);
    InheritedFields(pass, *presentation::Menu);
    return std::move(pass.Written());
}

bool ApplyRoundInheritance(std::string_view coded) {
    presentation::MainMenu* menu = presentation::Menu;
    if (!menu) return false;
    // A damaged or hostile inheritance changes nothing: what it would replace is kept and put
    // back when the new values do not hold together.
    const std::string before = CaptureRoundInheritance();
    FieldPass pass(FieldPass::Mode::Read, coded);
    InheritedFields(pass, *menu);
    if (!pass.ReadWhole() || !HoldsTogether(*menu)) {
        FieldPass undo(FieldPass::Mode::Read, before);
        InheritedFields(undo, *menu);
        return false;
    }
    gamestate::Round = gamestate::RoundState{};
    gamestate::PetalsShot = 0;
    gamestate::ClearPointPopups();
    world::ClearEntityTable();
    flow::ThrowRequested = false;
    presentation::ResetLoadingScreen();
    return true;
}

uint64_t RulesDigest() {
    FieldPass pass(FieldPass::Mode::Hash);
    if (presentation::Menu) InheritedFields(pass, *presentation::Menu);
    PlayedFields(pass);
    return pass.Digest();
}

}  // namespace app
