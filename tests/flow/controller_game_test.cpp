// A game controller alone plays the whole game: it clicks the menu (but never quits it), fires,
// reloads and steps through the weapons in a round, leaves it with Back, and types a name arcade
// style into the high-score table. The whole game runs on the headless backend in a folder
// without pictures or sounds.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gamestate/game_state.h"
#include "gamestate/round_state.h"
#include "persistence/high_scores.h"
#include "presentation/main_menu.h"
#include "support/game_harness.h"
#include "support/in_directory.h"
#include "support/temp_dir.h"
#include "world/weapon.h"

namespace {

using platform::HeadlessBackend;
using platform::PadButton;
using testing_support::GameStartButton;
using testing_support::InMenu;
using testing_support::Playing;
using testing_support::SoundButton;
using testing_support::TypingAName;
namespace vk = platform::vk;

constexpr platform::Point BackButton{200, 510};

// Actions run one after another, `spacing` frames apart, on the frames `Step` is called for.
class Sequence {
  public:
    using Action = std::function<void(HeadlessBackend&)>;
    explicit Sequence(int spacing) : spacing_(spacing) {}
    void Add(Action action) { actions_.push_back(std::move(action)); }
    // Before a frame: runs the next action when its turn has come.
    void Step(HeadlessBackend& backend) {
        const int frame = frames_++;
        const auto next = static_cast<size_t>(frame / spacing_);
        if (frame % spacing_ == 0 && next < actions_.size()) actions_[next](backend);
    }
    bool Done() const { return frames_ > static_cast<int>(actions_.size()) * spacing_; }

  private:
    int spacing_;
    int frames_ = 0;
    std::vector<Action> actions_;
};

Sequence::Action Press(PadButton button) {
    return [button](HeadlessBackend& backend) { backend.ClickPad(button); };
}

std::string NameBeingTyped() {
    const persistence::HighScoreTable& table = presentation::Menu->highScores;
    return table.editIndex < 0 ? std::string("(no entry)") : table.names[table.editIndex];
}

class ControllerTest : public ::testing::Test {
  protected:
    void SetUp() override { harness_.stepMs = 50; }

    // Before each frame: from the menu, A on the game start button starts a game; once the
    // round plays, `inRound` takes over.
    static void IntoARound(HeadlessBackend& backend, int frame,
                           const std::function<void(HeadlessBackend&)>& inRound) {
        if (InMenu() && presentation::Menu->slide == 0.0f) {
            backend.SetCursor(GameStartButton.x, GameStartButton.y);
            if (frame % 4 == 0) backend.ClickPad(PadButton::A);
        } else if (Playing()) {
            inRound(backend);
        }
    }
    // Plays a round that ends at once with a place in the table, then runs `typing` on every
    // frame of the name entry and after it, until `frames` frames have run.
    void TypeAName(int frames, Sequence& typing) {
        int roundFrames = 0;
        bool typingBegan = false;
        harness_.Run(frames, [&](HeadlessBackend& backend, int frame) {
            typingBegan = typingBegan || TypingAName();
            if (typingBegan) typing.Step(backend);
            if (typingBegan || roundFrames > 10) return;
            IntoARound(backend, frame, [&](HeadlessBackend&) {
                if (++roundFrames > 10) {
                    gamestate::Round.score = 4321;
                    gamestate::Round.RoundEnd = gamestate::Round.RoundClock;
                }
            });
        });
    }

    testing_support::TempDir dir_;
    testing_support::InDirectory inside_{dir_.Path()};
    testing_support::GameHarness harness_;
};

TEST_F(ControllerTest, AControllerClicksTheMenuButNoButtonQuitsIt) {
    Sequence presses(3);
    std::vector<int32_t> music;
    auto note = [&](HeadlessBackend&) { music.push_back(presentation::Menu->MusicOn); };
    for (PadButton button :
         {PadButton::B, PadButton::X, PadButton::Y, PadButton::Back, PadButton::Start,
          PadButton::LeftShoulder, PadButton::RightShoulder, PadButton::LeftTrigger, PadButton::Up,
          PadButton::Down, PadButton::Left, PadButton::Right}) {
        presses.Add(Press(button));
    }
    presses.Add(note);
    presses.Add(Press(PadButton::A));
    presses.Add(note);
    presses.Add(Press(PadButton::RightTrigger));
    presses.Add(note);
    int menuFrames = 0;
    harness_.Run(300, [&](HeadlessBackend& backend, int) {
        if (!InMenu() || ++menuFrames < 10) return;
        backend.SetCursor(SoundButton.x, SoundButton.y);
        presses.Step(backend);
    });
    EXPECT_TRUE(presses.Done());
    EXPECT_EQ(harness_.FramesRun(), 300) << "a controller button quit the game";
    EXPECT_EQ(music, (std::vector<int32_t>{0, 2, 0}))
        << "only A and the right trigger click the sound button: off, then on again";
}

TEST_F(ControllerTest, InARoundTheControllerFiresReloadsStepsThroughTheWeaponsAndLeaves) {
    Sequence presses(12);  // 600 ms apart: every shot after a reload is ready
    std::vector<int32_t> rounds;
    std::vector<int32_t> selected;
    auto weapon = [] { return world::PlayerWeapon; };
    auto pressNoting = [&](PadButton button, std::vector<int32_t>& notes, auto what) {
        presses.Add([&notes, what, button](HeadlessBackend& backend) {
            notes.push_back(what());
            backend.ClickPad(button);
        });
    };
    auto roundsLeft = [&] { return weapon()->roundsLeft; };
    auto inHand = [&] { return weapon()->selected; };
    presses.Add([](HeadlessBackend&) {});  // the round has just begun
    pressNoting(PadButton::RightTrigger, rounds, roundsLeft);
    pressNoting(PadButton::A, rounds, roundsLeft);
    pressNoting(PadButton::X, rounds, roundsLeft);
    pressNoting(PadButton::A, rounds, roundsLeft);
    pressNoting(PadButton::LeftTrigger, rounds, roundsLeft);
    presses.Add([&](HeadlessBackend&) {
        rounds.push_back(roundsLeft());
        // The player has the shotgun, the crossbow and the machine gun, not the dynamite.
        weapon()->crossbowAvailable = world::Unlocked;
        weapon()->machineGunAvailable = world::Unlocked;
    });
    for (PadButton shoulder : {PadButton::RightShoulder, PadButton::RightShoulder,
                               PadButton::RightShoulder, PadButton::LeftShoulder}) {
        pressNoting(shoulder, selected, inHand);
    }
    presses.Add([&](HeadlessBackend& backend) {
        selected.push_back(inHand());
        backend.SetPadButton(PadButton::RightShoulder, true);
    });
    presses.Add([&](HeadlessBackend& backend) {
        selected.push_back(inHand());
        backend.SetPadButton(PadButton::RightShoulder, false);
    });
    bool backPressed = false;
    presses.Add([&](HeadlessBackend& backend) {
        selected.push_back(inHand());
        backend.ClickPad(PadButton::Back);
        backPressed = true;
    });
    bool left = false;
    harness_.Run(400, [&](HeadlessBackend& backend, int frame) {
        if (backPressed) {
            left = left || InMenu();
            return;
        }
        IntoARound(backend, frame, [&](HeadlessBackend& b) { presses.Step(b); });
    });
    EXPECT_EQ(rounds, (std::vector<int32_t>{5, 4, 3, 5, 4, 5}))
        << "the right trigger and A fire, X and the left trigger reload";
    EXPECT_EQ(selected, (std::vector<int32_t>{world::Shotgun, world::Crossbow, world::MachineGun,
                                              world::Shotgun, world::MachineGun, world::Shotgun,
                                              world::Shotgun}))
        << "the shoulders step through the weapons the player has, round again; held, once";
    EXPECT_TRUE(left) << "Back leaves the round";
}

TEST_F(ControllerTest, ANameIsTypedWithTheControllerAlone) {
    Sequence typing(3);
    std::vector<std::string> names;
    typing.Add([](HeadlessBackend& backend) { backend.SetCursor(BackButton.x, BackButton.y); });
    for (PadButton button :
         {PadButton::Up, PadButton::Up, PadButton::Up, PadButton::A, PadButton::Down,
          PadButton::Down, PadButton::Right, PadButton::Up, PadButton::B, PadButton::Left}) {
        typing.Add([&names, button](HeadlessBackend& backend) {
            names.push_back(NameBeingTyped());
            backend.ClickPad(button);
        });
    }
    // Held, up steps the letter on by itself: after 400 ms, then every 110 ms.
    typing.Add([&](HeadlessBackend& backend) {
        names.push_back(NameBeingTyped());
        backend.SetPadButton(PadButton::Up, true);
    });
    for (int i = 0; i < 12; ++i) typing.Add([](HeadlessBackend&) {});
    std::string afterHold;
    typing.Add([&](HeadlessBackend& backend) {
        backend.SetPadButton(PadButton::Up, false);
        afterHold = NameBeingTyped();
    });
    // A held down as Start ends the entry clicks nothing, not even once the entry is over.
    typing.Add([](HeadlessBackend& backend) { backend.SetPadButton(PadButton::A, true); });
    typing.Add(Press(PadButton::Start));
    for (int i = 0; i < 4; ++i) typing.Add([](HeadlessBackend&) {});
    auto windowClosing = [] {
        return presentation::Menu->slide < presentation::MainMenu::OpenSlide ||
               presentation::Menu->slideDirection != 0;
    };
    bool closedWhileAHeld = true;
    typing.Add([&](HeadlessBackend& backend) {
        closedWhileAHeld = windowClosing();
        backend.SetPadButton(PadButton::A, false);
    });
    typing.Add(Press(PadButton::A));
    bool closedByA = false;
    typing.Add([&](HeadlessBackend&) { closedByA = windowClosing(); });
    TypeAName(400, typing);

    ASSERT_TRUE(typing.Done());
    EXPECT_EQ(names, (std::vector<std::string>{"", "A", "B", "C", "C", "CC", "CB", "CB", "CBB",
                                               "CB", "C"}))
        << "up and down change the letter, A and right keep it, B and left delete";
    ASSERT_EQ(afterHold.size(), 2u);
    EXPECT_GT(afterHold[1], 'C') << "held, the new place's B stepped on twice or more";
    persistence::HighScoreTable stored{};
    persistence::LoadHighScores(stored, "score.dat");
    EXPECT_EQ(stored.names[0], afterHold) << "Start saved it";
    EXPECT_EQ(stored.scores[0], 4321);
    EXPECT_FALSE(closedWhileAHeld) << "A held through Start clicked the back button";
    EXPECT_TRUE(closedByA) << "pressed again, A clicks it";
}

TEST_F(ControllerTest, AFullNameTakesNoMoreLettersFromTheController) {
    Sequence typing(3);
    // "W" is 22 steps up from "A"; each next place starts with it.
    for (int i = 0; i < 23; ++i) typing.Add(Press(PadButton::Up));
    for (int i = 0; i < 15; ++i) {
        typing.Add(Press(PadButton::A));
        typing.Add(Press(PadButton::Up));
    }
    std::string full;
    typing.Add([&](HeadlessBackend&) { full = NameBeingTyped(); });
    std::vector<std::string> afterPresses;
    for (PadButton button :
         {PadButton::A, PadButton::Up, PadButton::Up, PadButton::Down, PadButton::B}) {
        typing.Add(Press(button));
        typing.Add([&](HeadlessBackend&) { afterPresses.push_back(NameBeingTyped()); });
    }
    TypeAName(600, typing);

    ASSERT_TRUE(typing.Done());
    EXPECT_EQ(full, "WWWWWWWWWWWW") << "twelve W reach the end of the name's space";
    const std::string eleven = full.substr(1);
    EXPECT_EQ(afterPresses, (std::vector<std::string>{full, full, full, full, eleven}))
        << "a letter refused is not under the cursor: up and down change no W; B deletes the "
           "last W the controller typed";
}

TEST_F(ControllerTest, TheControllerChangesNothingItDidNotType) {
    Sequence typing(3);
    std::vector<std::string> names;
    auto then = [&](Sequence::Action action) {
        typing.Add(std::move(action));
        typing.Add([&](HeadlessBackend&) { names.push_back(NameBeingTyped()); });
    };
    auto keyboard = [](const char* text) {
        return [text](HeadlessBackend& backend) { backend.QueueText(text); };
    };
    auto backspace = [](HeadlessBackend& backend) { backend.Click(vk::Back); };
    then(keyboard("Bob"));
    then(Press(PadButton::Up));
    then(Press(PadButton::B));
    then(Press(PadButton::B));
    then(Press(PadButton::Up));
    then(backspace);
    then(Press(PadButton::Up));
    then(keyboard("x"));
    then(Press(PadButton::Up));
    then(Press(PadButton::Left));
    then(Press(PadButton::Left));
    TypeAName(400, typing);

    ASSERT_TRUE(typing.Done());
    EXPECT_EQ(names, (std::vector<std::string>{"Bob", "BobA", "Bob", "Bob", "BobA", "Bob", "BobA",
                                               "BobAx", "BobAxA", "BobAx", "BobAx"}))
        << "the keyboard's letters are never changed or deleted by the controller";
}

}  // namespace
