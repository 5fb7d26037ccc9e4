// A reader and writer of INI files (section headers, key=value lines) that keeps everything it
// does not touch: other sections, other keys, comments, blank lines and unknown lines survive a
// write byte for byte, line breaks included. Section and key names match without regard to ASCII
// case, the first occurrence wins, and whitespace around names and values is ignored, so a file
// edited by hand (or written on another system) reads the way its author meant. A UTF-8
// byte-order mark at the start, which some editors write, is read past and written back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace persistence {

class IniFile {
  public:
    // Parses `text`; never fails. Lines that are neither a section header, a key=value pair, a
    // comment (";" or "#") nor blank are kept for writing and ignored for reading.
    static IniFile Parse(std::string_view text);

    // The value of `key` in `section`, trimmed, with one pair of surrounding quotes removed;
    // nothing when the section or key is missing or the key appears before any section.
    std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
    // The leading decimal integer of the value (optional sign, then digits), the way the profile
    // functions have always read it: "12abc" is 12, "0 ; comment" is 0, and a value without
    // digits ("off", "") is 0. Digits beyond 32 bits wrap around. `fallback` only when the key
    // is missing.
    int GetInt(std::string_view section, std::string_view key, int fallback) const;

    // Sets the value of the first occurrence of `key` in the first `section`; appends the key at
    // the end of that section, or a new section at the end of the file, when missing.
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;

  private:
    struct Line {
        std::string text;    // without its line break
        std::string ending;  // the line break behind it: "\n", "\r\n", or none on a last line
        enum class Kind { Other, Section, Pair } kind = Kind::Other;
        std::string name;   // section or key name, trimmed
        std::string value;  // trimmed value of a pair
    };

    static Line ParseLine(std::string text);
    // Index of the first header of `section`, or -1.
    int FindSection(std::string_view section) const;
    // Index one past the last line that belongs to the section whose header is at `header`.
    size_t SectionEnd(size_t header) const;

    // Gives the last line a line break before a line is added behind it.
    void EndLastLine();

    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
    std::string lineBreak_ = "\n";  // for added lines: "\r\n" when the file has any
};

// Reads `path` (a missing or unreadable file reads as an empty one).
IniFile LoadIniFile(const std::string& path);
// Sets one value in the file at `path` and replaces the file atomically; false when the new file
// could not be written (the old one is then untouched).
bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

}  // namespace persistence
