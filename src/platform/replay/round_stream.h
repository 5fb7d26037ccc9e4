// What a recorded round holds after its header: every answer the machine gave the game, in the
// order the game asked, coded compactly.
//
// Each answer is coded with what kind of question it answers (the clock, a key, the cursor ...),
// so a replay that asks something else at some point knows at once that it went another way.
// The models behind the coding learn as the round goes; recorder and player keep the same
// models and so stay in step.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace platform::replay {

// The questions the game asks the machine, and two marks of the game's own.
enum class Call : uint8_t {
    Ticks,
    KeyDown,
    PadDown,
    Cursor,
    TypedText,
    PollEvent,
    WaitEvent,
    OpenWindow,
    Present,
    OpenAudio,
    Observe,     // something the sound's own thread decided that a rule reads
    Checkpoint,  // a digest of the rules' state
    End,         // the recording ends here
};
constexpr int CallKinds = 13;
const char* CallName(Call call);

// The longest text one question may return; longer text is cut (a name is 12 letters).
constexpr size_t LongestText = 1024;

// One answer, whichever question it answers.
struct Answer {
    Call call = Call::End;
    uint32_t number = 0;   // Ticks, Checkpoint (low half), the key or pad button asked for
    uint32_t number2 = 0;  // Checkpoint (high half)
    bool yes = false;      // KeyDown, PadDown, OpenWindow, OpenAudio, Observe, PollEvent found one
    Point point{};         // Cursor
    std::string text{};    // TypedText
    Event event{};         // PollEvent when `yes`
    PresentResult present = PresentResult::Ok;
};

class RoundStreamModels;

class RoundStreamWriter {
  public:
    RoundStreamWriter();
    ~RoundStreamWriter();
    RoundStreamWriter(const RoundStreamWriter&) = delete;
    RoundStreamWriter& operator=(const RoundStreamWriter&) = delete;

    void Write(const Answer& answer);
    // Ends a block: the bytes so far decode on their own. Returns the block's bytes.
    std::string FinishBlock();

  private:
    std::unique_ptr<RoundStreamModels> models_;
};

class RoundStreamReader {
  public:
    RoundStreamReader();
    ~RoundStreamReader();
    RoundStreamReader(const RoundStreamReader&) = delete;
    RoundStreamReader& operator=(const RoundStreamReader&) = delete;

    // The next block's bytes; they must outlive the reading of the block.
    void BeginBlock(std::string_view bytes);
    // The next answer of the current block. False when the block's bytes ran out before it
    // (damaged or cut short).
    bool Read(Answer& answer);

  private:
    std::unique_ptr<RoundStreamModels> models_;
};

}  // namespace platform::replay
