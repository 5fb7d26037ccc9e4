// A small streaming JSON writer for the driver's state dumps.
#pragma once

#include <string>
#include <vector>

namespace driver {

class JsonWriter {
  public:
    JsonWriter& BeginObject(const char* key = nullptr);
    JsonWriter& EndObject();
    JsonWriter& BeginArray(const char* key = nullptr);
    JsonWriter& EndArray();
    JsonWriter& Value(const char* key, long long value);
    JsonWriter& Value(const char* key, double value);
    JsonWriter& Value(const char* key, bool value);
    JsonWriter& Value(const char* key, const std::string& value);
    JsonWriter& Value(const char* key, const char* value) { return Value(key, std::string(value)); }
    JsonWriter& Value(const char* key, int value) {
        return Value(key, static_cast<long long>(value));
    }
    JsonWriter& Value(const char* key, unsigned value) {
        return Value(key, static_cast<long long>(value));
    }
    const std::string& Text() const { return text_; }

  private:
    void Key(const char* key);
    std::string text_;
    std::vector<bool> needComma_;
};

std::string JsonEscape(const std::string& utf8);

}  // namespace driver
