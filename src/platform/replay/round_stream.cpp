#include "platform/replay/round_stream.h"

#include <array>
#include <cstdlib>
#include <optional>

#include "platform/replay/range_coder.h"

namespace platform::replay {

namespace {

constexpr std::array<const char*, CallKinds> CallNames = {
    "Ticks",      "KeyDown", "PadDown",   "Cursor",  "TypedText",  "PollEvent", "WaitEvent",
    "OpenWindow", "Present", "OpenAudio", "Observe", "Checkpoint", "End"};

constexpr int32_t FarthestCursor = 1 << 16;

// A cursor move as a coded number, and back; in wrapping arithmetic, so that no value a damaged
// stream holds can overflow.
uint32_t StepTo(int32_t from, int32_t to) {
    return ZigZag(static_cast<int32_t>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from)));
}
int32_t Step(int32_t from, uint32_t coded) {
    return static_cast<int32_t>(static_cast<uint32_t>(from) +
                                static_cast<uint32_t>(UnZigZag(coded)));
}

size_t Index(Call call) {
    return static_cast<size_t>(call);
}

// A damaged stream may name an event or a size the game does not know.
bool Valid(const Event& event) {
    return static_cast<int>(event.type) <= static_cast<int>(EventType::Quit) &&
           static_cast<int>(event.sizeKind) <= static_cast<int>(SizeKind::MaxHide);
}

}  // namespace

const char* CallName(Call call) {
    return Index(call) < CallNames.size() ? CallNames[Index(call)] : "?";
}

// The models both sides keep, and the coding of each kind of answer through them. The
// contexts are what makes the coding small: the kind of call follows from the one before it,
// the clock's step depends on what was asked before it, a key mostly answers as it did last.
class RoundStreamModels {
  public:
    template <typename Coder>
    bool Code(Coder& coder, Answer& answer);

    RangeEncoder encoder;
    std::optional<RangeDecoder> decoder;

  private:
    // Answers are coded by one routine for both directions: `Bit` and the number coders encode
    // what `answer` holds when writing and fill it in when reading.
    struct Writing {
        RangeEncoder& encoder;
        bool Bit(BitModel& model, bool value) {
            encoder.EncodeBit(model, value);
            return value;
        }
        uint32_t Number(NumberModel& model, uint32_t value) {
            model.Encode(encoder, value);
            return value;
        }
        template <int Bits>
        uint32_t Symbol(SymbolModel<Bits>& model, uint32_t value) {
            model.Encode(encoder, value);
            return value;
        }
        uint32_t Direct(uint32_t value, int bits) {
            encoder.EncodeDirect(value, bits);
            return value;
        }
    };
    struct Reading {
        RangeDecoder& decoder;
        bool Bit(BitModel& model, bool) { return decoder.DecodeBit(model); }
        uint32_t Number(NumberModel& model, uint32_t) { return model.Decode(decoder); }
        template <int Bits>
        uint32_t Symbol(SymbolModel<Bits>& model, uint32_t) {
            return model.Decode(decoder);
        }
        uint32_t Direct(uint32_t, int bits) { return decoder.DecodeDirect(bits); }
    };
    friend class RoundStreamWriter;
    friend class RoundStreamReader;

    template <typename Coder>
    void CodeEvent(Coder& coder, Event& event);

    // The next call is predicted from the one before, and after a key or a pad button from which
    // one it was: the game reads its keys in the same order every frame, so in a frame where
    // nothing changes each call costs a small fraction of a bit.
    std::array<SymbolModel<4>, 16 + 256 + 16> call_;
    size_t callContext_ = 0;
    size_t lastCall_ = 0;
    std::array<NumberModel, 16> tickStep_;
    uint32_t lastTicks_ = 0;
    std::array<SymbolModel<8>, 256> key_;
    uint32_t lastKey_ = 0;
    std::array<std::array<BitModel, 2>, 256> keyDown_;
    std::array<bool, 256> keyWasDown_{};
    static_assert(PadButtonCount <= 16, "a pad button is coded in four bits");
    std::array<SymbolModel<4>, 16> pad_;
    uint32_t lastPad_ = 0;
    std::array<std::array<BitModel, 2>, 16> padDown_;
    std::array<bool, 16> padWasDown_{};
    std::array<BitModel, 2> cursorMoved_;
    bool cursorMovedLast_ = false;
    NumberModel cursorX_, cursorY_;
    Point lastCursor_;
    std::array<BitModel, 2> textTyped_;
    NumberModel textLength_;
    std::array<SymbolModel<8>, 256> textByte_;
    std::array<BitModel, 2> eventFound_;  // by whether the call before was a PollEvent too
    SymbolModel<3> eventType_, sizeKind_;
    NumberModel eventX_, eventY_, eventCode_;
    BitModel opened_;
    SymbolModel<2> present_;
    std::array<BitModel, 2> observed_;
    bool observedLast_ = false;
};

template <typename Coder>
void RoundStreamModels::CodeEvent(Coder& coder, Event& event) {
    event.type =
        static_cast<EventType>(coder.Symbol(eventType_, static_cast<uint32_t>(event.type)));
    event.sizeKind =
        static_cast<SizeKind>(coder.Symbol(sizeKind_, static_cast<uint32_t>(event.sizeKind)));
    event.x = UnZigZag(coder.Number(eventX_, ZigZag(event.x)));
    event.y = UnZigZag(coder.Number(eventY_, ZigZag(event.y)));
    event.code = UnZigZag(coder.Number(eventCode_, ZigZag(event.code)));
}

template <typename Coder>
bool RoundStreamModels::Code(Coder& coder, Answer& answer) {
    const uint32_t call = coder.Symbol(call_[callContext_], static_cast<uint32_t>(answer.call));
    if (call >= CallKinds) return false;
    const bool afterPoll = lastCall_ == Index(Call::PollEvent);
    answer.call = static_cast<Call>(call);
    switch (answer.call) {
        case Call::Ticks:
            answer.number =
                lastTicks_ + coder.Number(tickStep_[lastCall_], answer.number - lastTicks_);
            lastTicks_ = answer.number;
            break;
        case Call::KeyDown: {
            const uint32_t key = coder.Symbol(key_[lastKey_], answer.number);
            answer.number = key;
            answer.yes = coder.Bit(keyDown_[key][keyWasDown_[key] ? 1 : 0], answer.yes);
            keyWasDown_[key] = answer.yes;
            lastKey_ = key;
            break;
        }
        case Call::PadDown: {
            const uint32_t button = coder.Symbol(pad_[lastPad_], answer.number);
            answer.number = button;
            answer.yes = coder.Bit(padDown_[button][padWasDown_[button] ? 1 : 0], answer.yes);
            padWasDown_[button] = answer.yes;
            lastPad_ = button;
            break;
        }
        case Call::Cursor: {
            const bool moved =
                coder.Bit(cursorMoved_[cursorMovedLast_ ? 1 : 0],
                          answer.point.x != lastCursor_.x || answer.point.y != lastCursor_.y);
            cursorMovedLast_ = moved;
            if (moved) {
                lastCursor_.x = Step(lastCursor_.x,
                                     coder.Number(cursorX_, StepTo(lastCursor_.x, answer.point.x)));
                lastCursor_.y = Step(lastCursor_.y,
                                     coder.Number(cursorY_, StepTo(lastCursor_.y, answer.point.y)));
                // No pointer goes this far from the window: the stream is damaged.
                if (std::abs(lastCursor_.x) > FarthestCursor ||
                    std::abs(lastCursor_.y) > FarthestCursor)
                    return false;
            }
            answer.point = lastCursor_;
            break;
        }
        case Call::TypedText: {
            if (answer.text.size() > LongestText) answer.text.resize(LongestText);
            const bool typed = coder.Bit(textTyped_[afterPoll ? 1 : 0], !answer.text.empty());
            if (!typed) {
                answer.text.clear();
                break;
            }
            const uint32_t length =
                coder.Number(textLength_, static_cast<uint32_t>(answer.text.size() - 1)) + 1;
            if (length > LongestText) return false;
            answer.text.resize(length);
            uint32_t previous = 0;
            for (char& c : answer.text) {
                previous = coder.Symbol(textByte_[previous], static_cast<uint8_t>(c));
                c = static_cast<char>(previous);
            }
            break;
        }
        case Call::PollEvent:
            answer.yes = coder.Bit(eventFound_[afterPoll ? 1 : 0], answer.yes);
            if (answer.yes) {
                CodeEvent(coder, answer.event);
                if (!Valid(answer.event)) return false;
            }
            break;
        case Call::OpenWindow:
        case Call::OpenAudio:
            answer.yes = coder.Bit(opened_, answer.yes);
            break;
        case Call::Present:
            answer.present = static_cast<PresentResult>(
                coder.Symbol(present_, static_cast<uint32_t>(answer.present)));
            if (answer.present > PresentResult::Failed) return false;
            break;
        case Call::Observe:
            answer.yes = coder.Bit(observed_[observedLast_ ? 1 : 0], answer.yes);
            observedLast_ = answer.yes;
            break;
        case Call::Checkpoint:
            answer.number = coder.Direct(answer.number, 32);
            answer.number2 = coder.Direct(answer.number2, 32);
            break;
        case Call::WaitEvent:
        case Call::End:
            break;
    }
    lastCall_ = call;
    callContext_ = answer.call == Call::KeyDown   ? 16 + lastKey_
                   : answer.call == Call::PadDown ? 16 + 256 + lastPad_
                                                  : call;
    return true;
}

RoundStreamWriter::RoundStreamWriter() : models_(std::make_unique<RoundStreamModels>()) {}
RoundStreamWriter::~RoundStreamWriter() = default;

void RoundStreamWriter::Write(const Answer& answer) {
    Answer copy = answer;
    RoundStreamModels::Writing writing{models_->encoder};
    models_->Code(writing, copy);
}

std::string RoundStreamWriter::FinishBlock() {
    models_->encoder.Finish();
    std::string bytes;
    models_->encoder.TakeBytes(bytes);
    return bytes;
}

RoundStreamReader::RoundStreamReader() : models_(std::make_unique<RoundStreamModels>()) {}
RoundStreamReader::~RoundStreamReader() = default;

void RoundStreamReader::BeginBlock(std::string_view bytes) {
    models_->decoder.emplace(bytes);
}

bool RoundStreamReader::Read(Answer& answer) {
    if (!models_->decoder) return false;
    RoundStreamModels::Reading reading{*models_->decoder};
    answer = Answer{};
    if (!models_->Code(reading, answer)) return false;
    return !models_->decoder->Overrun();
}

}  // namespace platform::replay
