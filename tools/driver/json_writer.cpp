#include "json_writer.h"

#include <cmath>
#include <cstdio>

namespace driver {

std::string JsonEscape(const std::string& s) {
    std::string out = "\"";
    for (const char character : s) {
        const auto c = static_cast<unsigned char>(character);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += character;
                }
        }
    }
    return out + "\"";
}

void JsonWriter::Key(const char* key) {
    if (!needComma_.empty()) {
        if (needComma_.back()) text_ += ",";
        needComma_.back() = true;
    }
    if (key) text_ += JsonEscape(key) + ":";
}

JsonWriter& JsonWriter::BeginObject(const char* key) {
    Key(key);
    text_ += "{";
    needComma_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    needComma_.pop_back();
    text_ += "}";
    return *this;
}

JsonWriter& JsonWriter::BeginArray(const char* key) {
    Key(key);
    text_ += "[";
    needComma_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    needComma_.pop_back();
    text_ += "]";
    return *this;
}

JsonWriter& JsonWriter::Value(const char* key, long long value) {
    Key(key);
    text_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Value(const char* key, double value) {
    Key(key);
    if (!std::isfinite(value)) {
        text_ += "null";
    } else {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.6g", value);
        text_ += buf;
    }
    return *this;
}

JsonWriter& JsonWriter::Value(const char* key, bool value) {
    Key(key);
    text_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Value(const char* key, const std::string& value) {
    Key(key);
    text_ += JsonEscape(value);
    return *this;
}

}  // namespace driver
