#include "persistence/ini_file.h"

#include <cstdint>

#include "persistence/atomic_file.h"

namespace persistence {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

}  // namespace

IniFile::Line IniFile::ParseLine(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view body = Trim(line.text);
    if (body.empty() || body.front() == ';' || body.front() == '#') return line;
    if (body.front() == '[') {
        const size_t close = body.find(']');
        if (close != std::string_view::npos && Trim(body.substr(close + 1)).empty()) {
            line.kind = Line::Kind::Section;
            line.name = std::string(Trim(body.substr(1, close - 1)));
        }
        return line;
    }
    const size_t equals = body.find('=');
    if (equals == std::string_view::npos) return line;
    const std::string_view name = Trim(body.substr(0, equals));
    if (name.empty()) return line;
    line.kind = Line::Kind::Pair;
    line.name = std::string(name);
    line.value = std::string(Trim(body.substr(equals + 1)));
    return line;
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile file;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        file.byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    bool sawCrLf = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool hasBreak = end != std::string_view::npos;
        if (!hasBreak) end = text.size();
        std::string_view lineText = text.substr(start, end - start);
        const char* ending = hasBreak ? "\n" : "";
        if (hasBreak && !lineText.empty() && lineText.back() == '\r') {
            lineText.remove_suffix(1);
            ending = "\r\n";
            sawCrLf = true;
        }
        file.lines_.push_back(ParseLine(std::string(lineText)));
        file.lines_.back().ending = ending;
        start = end + 1;
    }
    if (sawCrLf) file.lineBreak_ = "\r\n";
    return file;
}

int IniFile::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::Kind::Section && SameName(lines_[i].name, section)) {
            return int(i);
        }
    }
    return -1;
}

size_t IniFile::SectionEnd(size_t header) const {
    size_t end = header + 1;
    while (end < lines_.size() && lines_[end].kind != Line::Kind::Section) ++end;
    return end;
}

std::optional<std::string> IniFile::GetString(std::string_view section,
                                              std::string_view key) const {
    const int header = FindSection(section);
    if (header < 0) return std::nullopt;
    const size_t end = SectionEnd(size_t(header));
    for (size_t i = size_t(header) + 1; i < end; ++i) {
        const Line& line = lines_[i];
        if (line.kind != Line::Kind::Pair || !SameName(line.name, key)) continue;
        std::string_view value = line.value;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
    }
    return std::nullopt;
}

int IniFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
    const std::optional<std::string> text = GetString(section, key);
    if (!text) return fallback;
    std::string_view digits = Trim(*text);
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    uint32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') break;
        value = value * 10u + static_cast<uint32_t>(c - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<int>(static_cast<int32_t>(value));
}

void IniFile::EndLastLine() {
    if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = lineBreak_;
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    std::string pairText = std::string(key) + "=" + std::string(value);
    const int header = FindSection(section);
    if (header < 0) {
        // Keep the file's last line intact when it had no line break of its own.
        EndLastLine();
        lines_.push_back(ParseLine("[" + std::string(section) + "]"));
        lines_.back().ending = lineBreak_;
        lines_.push_back(ParseLine(std::move(pairText)));
        lines_.back().ending = lineBreak_;
        return;
    }
    const size_t end = SectionEnd(size_t(header));
    size_t insertAt = size_t(header) + 1;
    for (size_t i = size_t(header) + 1; i < end; ++i) {
        Line& line = lines_[i];
        if (line.kind == Line::Kind::Pair && SameName(line.name, key)) {
            std::string ending = std::move(line.ending);
            line = ParseLine(std::move(pairText));
            line.ending = std::move(ending);
            return;
        }
        // A new key goes after the section's last non-blank line, before the blank lines that
        // separate it from the next section.
        if (!Trim(line.text).empty()) insertAt = i + 1;
    }
    if (insertAt == lines_.size()) EndLastLine();
    Line pair = ParseLine(std::move(pairText));
    pair.ending = lineBreak_;
    lines_.insert(lines_.begin() + std::ptrdiff_t(insertAt), std::move(pair));
}

std::string IniFile::Serialize() const {
    std::string text(byteOrderMark_ ? kByteOrderMark : std::string_view());
    for (const Line& line : lines_) {
        text += line.text;
        text += line.ending;
    }
    return text;
}

IniFile LoadIniFile(const std::string& path) {
    const std::optional<std::string> text = ReadWholeFile(path);
    return IniFile::Parse(text ? *text : std::string());
}

bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
    const std::optional<std::string> text = ReadWholeFile(path);
    // A file that exists but cannot be read is left alone rather than replaced by one that would
    // lose its contents.
    if (!text && PathExists(path)) return false;
    IniFile file = IniFile::Parse(text ? *text : std::string());
    file.SetString(section, key, value);
    return ReplaceFileAtomically(path, file.Serialize());
}

}  // namespace persistence
