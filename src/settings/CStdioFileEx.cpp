#include "settings/CStdioFileEx.h"

#include "settings/DecimalText.h"
#include "settings/Utf16.h"


namespace vexmo {

namespace {
constexpr char16_t kByteOrderMark = 0xFEFF;
constexpr char16_t kLineFeed = 0x000A;
} // namespace

CStdioFileEx::~CStdioFileEx() {
    if (reader_ != nullptr) {
        std::fclose(reader_);
    }
}

bool CStdioFileEx::Open(const std::filesystem::path& path, Mode mode) {
    if (IsOpen()) {
        return false;
    }
    if (mode == Mode::WriteUnicode) {
        return writer_.Open(path);
    }
    reader_ = std::fopen(path.c_str(), "rb");
    readPosition_ = 0;
    bufferFill_ = bufferPos_ = 0;
    return reader_ != nullptr;
}

bool CStdioFileEx::NextUnit(char16_t& unit) {
    if (bufferFill_ - bufferPos_ < 2) {
        // Keep a dangling odd byte in front of the refill.
        const size_t left = bufferFill_ - bufferPos_;
        if (left == 1) {
            buffer_[0] = buffer_[bufferPos_];
        }
        bufferFill_ = left + std::fread(buffer_.data() + left, 1, buffer_.size() - left, reader_);
        bufferPos_ = 0;
        if (bufferFill_ < 2) {
            return false;
        }
    }
    unit = static_cast<char16_t>(buffer_[bufferPos_] | (buffer_[bufferPos_ + 1] << 8));
    bufferPos_ += 2;
    readPosition_ += 2;
    return true;
}

bool CStdioFileEx::ReadString(std::string& line) {
    line.clear();
    if (reader_ == nullptr) {
        return false;
    }
    char16_t unit = 0;
    if (readPosition_ == 0 && !NextUnit(unit)) {
        return false; // whatever the first two bytes are, they are the mark
    }
    std::u16string units;
    while (NextUnit(unit)) {
        units += unit;
        if (unit == kLineFeed) {
            break;
        }
    }
    if (!units.empty() && units.back() == kLineFeed) {
        units.pop_back();
    }
    line = Utf16ToUtf8(units);
    return !line.empty();
}

bool CStdioFileEx::WriteString(std::string_view text) {
    if (!writer_.IsOpen()) {
        return false;
    }
    std::u16string units;
    if (writer_.Position() == 0) {
        units += kByteOrderMark;
    }
    units += Utf8ToUtf16(text);
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t u : units) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return writer_.Write(bytes.data(), bytes.size());
}

bool CStdioFileEx::Close() {
    if (reader_ != nullptr) {
        std::fclose(reader_);
        reader_ = nullptr;
        return true;
    }
    return writer_.Commit();
}

bool ParseFourNumbers(std::string_view line, int numbers[4]) {
    size_t equals = std::string_view::npos;
    size_t semicolon = std::string_view::npos;
    for (int n = 0; n < 4; ++n) {
        equals = line.find('=', equals == std::string_view::npos ? 0 : equals + 1);
        semicolon = line.find(';', semicolon == std::string_view::npos ? 0 : semicolon + 1);
        if (equals == std::string_view::npos || equals + 1 == line.size()) {
            return false;
        }
        if (semicolon == std::string_view::npos || semicolon < equals) {
            numbers[n] = 0;
        } else {
            numbers[n] = DecimalValue(line.substr(equals + 1, semicolon - equals));
        }
    }
    return true;
}

} // namespace vexmo
