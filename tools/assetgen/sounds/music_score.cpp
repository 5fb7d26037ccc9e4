#include "sounds/music_score.h"

#include <cstdlib>
#include <string>

namespace assetgen::sound {

namespace {

int PitchClass(char letter) {
    switch (letter) {
        case 'c':
        case 'C':
            return 0;
        case 'd':
        case 'D':
            return 2;
        case 'e':
        case 'E':
            return 4;
        case 'f':
        case 'F':
            return 5;
        case 'g':
        case 'G':
            return 7;
        case 'a':
        case 'A':
            return 9;
        case 'b':
        case 'B':
            return 11;
    }
    return -1;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '|' || text[at] == '\n')) ++at;
        const std::size_t start = at;
        while (at < text.size() && text[at] != ' ' && text[at] != '|' && text[at] != '\n') ++at;
        if (at > start) words.push_back(text.substr(start, at - start));
    }
    return words;
}

}  // namespace

std::vector<ScoreNote> ParseMelody(std::string_view text, double startBeat, double unitBeats,
                                   double* end) {
    std::vector<ScoreNote> notes;
    double beat = startBeat;
    for (std::string_view word : Words(text)) {
        const std::size_t slash = word.find('/');
        const std::string length(word.substr(slash + 1));
        const double beats = std::strtod(length.c_str(), nullptr) * unitBeats;
        if (word[0] != 'r') {
            int pitch = PitchClass(word[0]);
            std::size_t at = 1;
            if (word[at] == '#')
                ++pitch, ++at;
            else if (word[at] == 'b')
                --pitch, ++at;
            const int octave = word[at] - '0';
            notes.push_back({beat, beats, 12 * (octave + 1) + pitch});
        }
        beat += beats;
    }
    if (end != nullptr) *end = beat;
    return notes;
}

std::vector<Chord> ParseChords(std::string_view text) {
    std::vector<Chord> chords;
    for (std::string_view word : Words(text)) {
        Chord chord;
        chord.root = PitchClass(word[0]);
        std::size_t at = 1;
        if (at < word.size() && word[at] == '#')
            chord.root += 1, ++at;
        else if (at < word.size() && word[at] == 'b')
            chord.root += 11, ++at;
        chord.root %= 12;
        const bool minor = at < word.size() && word[at] == 'm';
        if (minor) ++at;
        chord.tones = {0, minor ? 3 : 4, 7};
        if (at < word.size() && word[at] == '7') chord.tones.push_back(10);
        chords.push_back(chord);
    }
    return chords;
}

std::vector<int> Voicing(const Chord& chord, int lowest) {
    std::vector<int> notes;
    for (int interval : chord.tones) {
        int note = lowest + ((chord.root + interval - lowest) % 12 + 12) % 12;
        notes.push_back(note);
    }
    return notes;
}

int RootAbove(const Chord& chord, int lowest) {
    return lowest + ((chord.root - lowest) % 12 + 12) % 12;
}

}  // namespace assetgen::sound
