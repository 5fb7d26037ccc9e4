// The two tunes: a woodland waltz for the menu and a polka for the game. Both are folk tunes
// whose parts are each played twice: the waltz has two, the polka a gentler third in the key a
// fourth up, its trio. Both end on a pick-up that leads back into their first bar, so they loop
// for as long as they are needed.
#include <string_view>
#include <vector>

#include "sounds/music_sequencer.h"
#include "sounds/recipes.h"

namespace assetgen::sound {

namespace {

// One part of a tune: seven bars, then one of two last bars that lead either back into this
// part or on into the next.
struct TunePart {
    std::string_view firstSevenBars;
    std::string_view chords;  // eight bars
};

struct Section {
    const TunePart* part;
    std::string_view lastBar;
    std::string_view lastChord = {};  // instead of the part's last chord, to lead elsewhere
};

// ---- The menu: a waltz in G, 3/4, unit of the melody an eighth note. ----

constexpr TunePart kWaltzA = {
    "b4/3 a4/1 g4/2 | d5/4 b4/2 | c5/2 e5/2 g5/2 | d5/3 c5/1 b4/2 | a4/2 f#4/2 a4/2 |"
    " c5/3 b4/1 a4/2 | a4/2 c5/2 f#4/2",
    "G G C G D D7 D7 G"};
constexpr TunePart kWaltzB = {
    "e5/3 d5/1 c5/2 | g5/4 e5/2 | d5/3 c5/1 b4/2 | d5/4 b4/2 | c5/2 e5/2 a4/2 |"
    " f#5/3 e5/1 d5/2 | c5/2 a4/2 f#4/2",
    "C C G G Am D D7 G"};
constexpr std::string_view kWaltzBackToA = "g4/4 d4/2";
constexpr std::string_view kWaltzOnToB = "g4/4 b4/1 d5/1";

// ---- The game: a polka in D, 2/4, unit of the melody an eighth note. ----

constexpr TunePart kPolkaA = {
    "f#5/1 a5/1 f#5/1 d5/1 | a4/1 d5/1 f#5/2 | e5/1 g5/1 e5/1 c#5/1 | a4/1 c#5/1 e5/2 |"
    " g5/1 f#5/1 e5/1 d5/1 | c#5/1 e5/1 a4/2 | e5/1 c#5/1 a4/1 c#5/1",
    "D D A7 A7 A7 A7 A7 D"};
constexpr TunePart kPolkaB = {
    "b5/1 a5/1 g5/1 b5/1 | d6/2 b5/2 | a5/1 f#5/1 d5/1 f#5/1 | a5/2 f#5/2 |"
    " g5/1 e5/1 c#5/1 e5/1 | a5/1 g5/1 f#5/1 e5/1 | f#5/1 d5/1 e5/1 c#5/1",
    "G G D D A7 A7 D D"};
constexpr TunePart kPolkaTrio = {
    "b4/2 d5/2 | g5/3 f#5/1 | f#5/1 e5/1 d5/1 f#5/1 | a5/2 f#5/2 |"
    " e5/1 g5/1 c6/1 g5/1 | d5/1 g5/1 b5/1 g5/1 | a5/1 g5/1 f#5/1 e5/1",
    "G G D7 D7 C G D7 G"};
constexpr std::string_view kPolkaBackToA = "d5/2 r/1 e5/1";
constexpr std::string_view kPolkaOnToB = "d5/2 r/1 a5/1";
constexpr std::string_view kPolkaOnToTrio = "d5/2 r/1 d5/1";
constexpr std::string_view kTrioAgain = "g5/2 r/1 d5/1";
// The trio's last bar turns back to D through its dominant.
constexpr std::string_view kTrioBackToA = "a4/1 c#5/1 e5/1 g5/1";
constexpr std::string_view kTrioBackToAChord = "A7";

std::vector<Chord> SectionChords(const Section& section) {
    std::vector<Chord> chords = ParseChords(section.part->chords);
    if (!section.lastChord.empty()) chords.back() = ParseChords(section.lastChord).front();
    return chords;
}

std::vector<ScoreNote> SectionMelody(const Section& section, double startBeat, double unitBeats) {
    double end = 0.0;
    std::vector<ScoreNote> notes =
        ParseMelody(section.part->firstSevenBars, startBeat, unitBeats, &end);
    const std::vector<ScoreNote> last = ParseMelody(section.lastBar, end, unitBeats);
    notes.insert(notes.end(), last.begin(), last.end());
    return notes;
}

// Harp arpeggio over one bar of a waltz: up the chord and back, in eighths.
void HarpBar(LoopArrangement& band, const Player& harp, const Chord& chord, double beat) {
    const std::vector<int> tones = Voicing(chord, 67);
    const int pattern[] = {tones[0], tones[1], tones[2], tones[0] + 12, tones[2], tones[1]};
    for (int i = 0; i < 6; ++i)
        band.Play(harp, beat + 0.5 * i, 0.5, pattern[i] - 12, i == 0 ? 0.8 : 0.6);
}

// A strummed chord: the strings sound one after another, a few milliseconds apart.
void Strum(LoopArrangement& band, const Player& guitar, const Chord& chord, double beat,
           double beats, double velocity) {
    const std::vector<int> tones = Voicing(chord, 55);
    for (std::size_t i = 0; i < tones.size(); ++i) {
        const double delay = 0.02 * static_cast<double>(i);
        band.Play(guitar, beat + delay, beats - delay, tones[i], velocity);
    }
}

}  // namespace

Clip MenuTune(Random& random) {
    const Player recorder{Instrument::Recorder, 0.5, 0.0, 0.35};
    const Player accordion{Instrument::Accordion, 0.3, -0.25, 0.3};
    const Player harp{Instrument::Harp, 0.3, -0.45, 0.4};
    const Player guitar{Instrument::Guitar, 0.3, 0.4, 0.25};
    const Player bass{Instrument::Bass, 0.6, 0.0, 0.1};
    const Player drum{Instrument::FrameDrum, 0.45, 0.1, 0.15};
    const Player shaker{Instrument::Shaker, 0.5, 0.55, 0.2};

    const Section form[] = {{&kWaltzA, kWaltzBackToA},
                            {&kWaltzA, kWaltzOnToB},
                            {&kWaltzB, kWaltzOnToB},
                            {&kWaltzB, kWaltzBackToA},
                            {&kWaltzA, kWaltzBackToA}};
    constexpr double kBeatsPerBar = 3.0;
    constexpr int kSections = 5;
    LoopArrangement band(100.0, kSections * 8 * kBeatsPerBar);
    for (int s = 0; s < kSections; ++s) {
        const double start = s * 8 * kBeatsPerBar;
        const std::vector<ScoreNote> melody = SectionMelody(form[s], start, 0.5);
        // The recorder leads; the accordion takes the second part's repeat, with the recorder
        // above it; the harp joins for the second and the last time through the first part.
        if (s == 2) {
            band.PlayAll(accordion, melody, 0.8);
        } else {
            band.PlayAll(recorder, melody, 0.75);
            if (s == 3) band.PlayAll(accordion, melody, 0.45, -12);
        }
        const std::vector<Chord> chords = SectionChords(form[s]);
        for (int bar = 0; bar < 8; ++bar) {
            const double beat = start + bar * kBeatsPerBar;
            const Chord& chord = chords[static_cast<std::size_t>(bar)];
            const int root = RootAbove(chord, 40);
            band.Play(bass, beat, 1.0, bar % 2 == 0 ? root : (root + 7 > 52 ? root - 5 : root + 7),
                      0.9);
            Strum(band, guitar, chord, beat + 1.0, 1.0, 0.55);
            Strum(band, guitar, chord, beat + 2.0, 1.0, 0.45);
            if (s == 1 || s == 4) HarpBar(band, harp, chord, beat);
            band.Hit(drum, beat, s == 0 ? 0.5 : 0.7);
            band.Hit(shaker, beat + 1.0, 0.55);
            band.Hit(shaker, beat + 2.0, 0.5);
            if (s >= 2) band.Hit(shaker, beat + 2.5, 0.3);
        }
    }
    return band.Render(random, {0.75, 0.5, 1.0, 0.02});
}

Clip GameTune(Random& random) {
    const Player accordion{Instrument::Accordion, 0.4, -0.15, 0.2};
    const Player whistle{Instrument::Whistle, 0.4, 0.15, 0.3};
    const Player guitar{Instrument::Guitar, 0.3, 0.4, 0.2};
    const Player bass{Instrument::Bass, 0.6, 0.0, 0.08};
    const Player drum{Instrument::FrameDrum, 0.5, 0.0, 0.1};
    const Player brush{Instrument::Brush, 0.35, -0.3, 0.15};
    const Player shaker{Instrument::Shaker, 0.4, 0.5, 0.15};
    const Player tambourine{Instrument::Tambourine, 0.45, -0.5, 0.2};

    // The first part twice, the second twice, the first again, then the trio twice; the loop
    // starts over with the first part.
    const Section form[] = {
        {&kPolkaA, kPolkaBackToA}, {&kPolkaA, kPolkaOnToB},
        {&kPolkaB, kPolkaOnToB},   {&kPolkaB, kPolkaBackToA},
        {&kPolkaA, kPolkaBackToA}, {&kPolkaA, kPolkaOnToTrio},
        {&kPolkaTrio, kTrioAgain}, {&kPolkaTrio, kTrioBackToA, kTrioBackToAChord}};
    constexpr double kBeatsPerBar = 2.0;
    constexpr int kSections = 8;
    LoopArrangement band(120.0, kSections * 8 * kBeatsPerBar);
    for (int s = 0; s < kSections; ++s) {
        const Section& section = form[s];
        const bool trio = section.part == &kPolkaTrio;
        const bool secondTime = s >= 4;
        const double start = s * 8 * kBeatsPerBar;
        const std::vector<ScoreNote> melody = SectionMelody(section, start, 0.5);
        // The accordion leads the first part and the whistle the second; the first part's return
        // has the whistle. The trio is softer: the accordion alone, then the whistle joins it.
        if (trio) {
            band.PlayAll(accordion, melody, 0.65);
            if (s == kSections - 1) band.PlayAll(whistle, melody, 0.45);
        } else if (section.part == &kPolkaB) {
            band.PlayAll(whistle, melody, 0.8);
        } else {
            band.PlayAll(secondTime ? whistle : accordion, melody, 0.8);
        }
        const std::vector<Chord> chords = SectionChords(section);
        for (int bar = 0; bar < 8; ++bar) {
            const double beat = start + bar * kBeatsPerBar;
            const Chord& chord = chords[static_cast<std::size_t>(bar)];
            const int root = RootAbove(chord, 38);
            const double lift = trio ? 0.8 : 1.0;
            band.Play(bass, beat, 1.0, root, 0.9 * lift);
            band.Play(bass, beat + 1.0, 1.0, root + 7 > 50 ? root - 5 : root + 7, 0.75 * lift);
            Strum(band, guitar, chord, beat + 0.5, 0.4, 0.5 * lift);
            Strum(band, guitar, chord, beat + 1.5, 0.4, 0.45 * lift);
            band.Hit(drum, beat, 0.75 * lift);
            band.Hit(drum, beat + 1.0, 0.55 * lift);
            band.Hit(brush, beat + 0.5, 0.55 * lift);
            band.Hit(brush, beat + 1.5, 0.5 * lift);
            for (int eighth = 0; eighth < 4; ++eighth) {
                band.Hit(shaker, beat + 0.5 * eighth, eighth % 2 == 0 ? 0.45 * lift : 0.3 * lift);
            }
            if (secondTime && !trio) {
                band.Hit(tambourine, beat + 0.5, 0.5);
                band.Hit(tambourine, beat + 1.5, 0.45);
            }
        }
    }
    return band.Render(random, {0.6, 0.5, 1.0, 0.015});
}

}  // namespace assetgen::sound
