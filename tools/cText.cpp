#include "cText.h"

#include <cfloat>
#include <cmath>

#include "records/Numbers.h"
#include "text/Cp936.h"

namespace tessaly {

namespace {

bool IsEscapedChar(char c) {
    return c == '\'' || c == '\\' || c == '{' || c == '}';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The byte written as two hex digits at p, or -1 when they are missing or not hex.
int HexByteAt(std::string_view text, size_t p) {
    if (p + 1 >= text.size()) return -1;
    const int hi = HexDigit(text[p]);
    const int lo = HexDigit(text[p + 1]);
    return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

void AppendHexEscape(std::string& out, uint8_t b, bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    out += "\\'";
    out += digits[b >> 4];
    out += digits[b & 0x0F];
}

}  // namespace

aCtlUnit cText::nCtlUnit(std::string_view line, int32_t& pos, bool& ok) {
    ok = true;
    if (pos < 1) {
        ok = false;
        return {};
    }
    const size_t start = static_cast<size_t>(pos) - 1;
    if (start >= line.size()) return {};
    const size_t firstLen = GbkCharLength(line, start);
    if (start + firstLen >= line.size()) return {};  // on the last character
    const std::string_view rest = line.substr(start);

    // A unit that begins with an escape is text only.
    if (IsEscapedChar(rest[firstLen])) {
        aCtlUnit unit;
        unit.CtlVal = -1;
        int32_t taken = 0;
        bool textOk = true;
        unit.CtlObj = RtfStr2Str(rest, taken, textOk);
        if (!textOk) {
            ok = false;
            return unit;
        }
        pos += taken - 1;
        return unit;
    }

    enum class State { BeforeWord, Word, Text };
    State state = State::BeforeWord;
    std::string word;
    std::string number;
    std::string collected;
    size_t i = 0;
    while (i < rest.size()) {
        const size_t len = GbkCharLength(rest, i);
        const char c = rest[i];
        const bool single = len == 1;
        if (state == State::BeforeWord) {
            if (single && c == '\\') {
                word += c;
                state = State::Word;
            }
            i += len;
            continue;
        }
        if (single && c == '\\') {
            if (i + 1 < rest.size() && IsEscapedChar(rest[i + 1])) {
                collected += rest.substr(i, 2);
                state = State::Text;
                i += 2;
                continue;
            }
            break;  // the next unit starts at this backslash
        }
        if (state == State::Word) {
            if (single && c >= 'a' && c <= 'z')
                word += c;
            else if (single && ((c >= '0' && c <= '9') || c == '-' || c == '.'))
                number += c;
            else if (single && c == ' ')
                state = State::Text;
            // Anything else between a word and its text ("{", "}", ";") is ignored.
        } else {
            collected += rest.substr(i, len);
        }
        i += len;
    }

    aCtlUnit unit;
    unit.CtlWord = std::move(word);
    const double value = number.empty() ? -1.0 : Val(number);
    if (!(std::fabs(value) <= FLT_MAX)) {
        ok = false;
        return unit;
    }
    unit.CtlVal = static_cast<float>(value);
    int32_t taken = 0;
    unit.CtlObj = RtfStr2Str(collected, taken, ok);
    if (!ok) return unit;
    pos += static_cast<int32_t>(i) - 1;
    return unit;
}

std::string cText::RtfStr2Str(std::string_view text, int32_t& taken, bool& ok) {
    ok = true;
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\\') {
            const size_t len = GbkCharLength(text, i);
            out += text.substr(i, len);
            i += len;
            continue;
        }
        if (i + 1 >= text.size()) break;
        const char next = text[i + 1];
        if (next == '\\' || next == '{' || next == '}') {
            out += next;
            i += 2;
            continue;
        }
        if (next != '\'') break;  // a backslash that begins no escape ends the text

        const int value = HexByteAt(text, i + 2);
        if (value < 0) {
            ok = false;
            break;
        }
        // 0x80 and 0xFF never lead a pair in code page 936: they stand alone, as Str2RtfStr writes them.
        if (!IsGbkLeadByte(static_cast<uint8_t>(value))) {
            out += static_cast<char>(value);
            i += 4;
            continue;
        }
        // The trail byte is the hex pair two characters further on, normally after "\'". A lead
        // byte without one (a field cut inside a character) stands alone: the step never runs
        // over a control word, and a byte that cannot trail is read as the next character.
        size_t j = i + 4;
        const bool overWord = j < text.size() && text[j] == '\\' && (j + 1 >= text.size() || text[j + 1] != '\'');
        j += GbkCharLength(text, j);
        j += GbkCharLength(text, j);
        const int trail = overWord ? -1 : HexByteAt(text, j);
        out += static_cast<char>(value);
        if (trail < 0 || !IsGbkTrailByte(static_cast<uint8_t>(trail))) {
            i += 4;
            continue;
        }
        out += static_cast<char>(trail);
        i = j + 2;
    }
    taken = static_cast<int32_t>(i);
    return out;
}

std::string cText::Str2RtfStr(std::string_view text, bool& escaped) {
    escaped = false;
    std::string out;
    out.reserve(text.size());
    bool afterLoneLead = false;
    for (size_t i = 0; i < text.size();) {
        const size_t len = GbkCharLength(text, i);
        const auto c = static_cast<uint8_t>(text[i]);
        if (afterLoneLead && c < 128) {
            // Escaped, so that the reader does not take it for the lone lead byte's trail.
            AppendHexEscape(out, c, true);
            escaped = true;
        } else if (len == 2) {
            AppendHexEscape(out, c, false);
            AppendHexEscape(out, static_cast<uint8_t>(text[i + 1]), false);
            escaped = true;
        } else if (c < 32) {
            AppendHexEscape(out, c, true);
            escaped = true;
        } else if (c == '{' || c == '\\' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
            escaped = true;
        } else if (c < 128) {
            out += static_cast<char>(c);
        } else {
            // A byte that is no character of its own (0x80, 0xFF, a lead byte without trail):
            // escaped so that it is not lost.
            AppendHexEscape(out, c, false);
            escaped = true;
        }
        afterLoneLead = len == 1 && IsGbkLeadByte(c);
        i += len;
    }
    return out;
}

std::string cText::StrToASC(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '\t') {
            out += "\\TAB ";
            ++i;
        } else if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\\par ";
            i += 2;
        } else if (GbkCharLength(text, i) == 2) {
            AppendHexEscape(out, static_cast<uint8_t>(text[i]), false);
            AppendHexEscape(out, static_cast<uint8_t>(text[i + 1]), false);
            i += 2;
        } else {
            out += text[i++];
        }
    }
    return out;
}

}  // namespace tessaly
