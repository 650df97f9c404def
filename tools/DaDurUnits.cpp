#include "DaDurUnits.h"

#include <cfloat>
#include <cmath>

#include "cText.h"
#include "records/Numbers.h"
#include "text/Cp936.h"

namespace tessaly {

namespace {

bool IsEscapedChar(char c) {
    return c == '\'' || c == '\\' || c == '{' || c == '}';
}

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '.';
}

double NumberOf(std::string_view number) {
    if (number.empty()) return -1;
    const size_t sign = number[0] == '-' ? 1 : 0;
    if (number.size() > sign && number.size() - sign <= 9) {
        int32_t v = 0;
        size_t k = sign;
        for (; k < number.size() && number[k] >= '0' && number[k] <= '9'; ++k) v = v * 10 + (number[k] - '0');
        if (k == number.size()) return sign ? -v : v;
    }
    return Val(number);
}

// The general case, through the lexical layer itself.
bool Slow(std::string_view line, int32_t& pos, UnitView& unit, UnitScratch& scratch) {
    bool ok = true;
    aCtlUnit u = cText::nCtlUnit(line, pos, ok);
    scratch.word = std::move(u.CtlWord);
    scratch.text = std::move(u.CtlObj);
    unit = {scratch.word, u.CtlVal, scratch.text};
    return ok;
}

}  // namespace

bool NextUnit(std::string_view line, int32_t& pos, UnitView& unit, UnitScratch& scratch) {
    const size_t start = pos >= 1 ? static_cast<size_t>(pos) - 1 : line.size();
    // Only a unit that starts with a control word and has nothing odd in it takes the short way.
    if (start + 1 >= line.size() || line[start] != '\\' || IsEscapedChar(line[start + 1])) {
        return Slow(line, pos, unit, scratch);
    }
    size_t i = start + 1;
    while (i < line.size() && line[i] >= 'a' && line[i] <= 'z') ++i;
    const std::string_view word = line.substr(start, i - start);
    const size_t numberStart = i;
    while (i < line.size() && IsNumberChar(line[i])) ++i;
    const std::string_view number = line.substr(numberStart, i - numberStart);

    size_t textStart = i;
    bool text = false;
    if (i < line.size()) {
        if (line[i] == ' ') {
            text = true;
            textStart = ++i;
        } else if (line[i] == '\\') {
            text = i + 1 < line.size() && IsEscapedChar(line[i + 1]);
        } else {
            return Slow(line, pos, unit, scratch);  // a skipped character, or letters after the number
        }
    }
    bool escapes = false;
    if (text) {
        while (i < line.size()) {
            const size_t len = GbkCharLength(line, i);
            if (len == 1 && line[i] == '\\') {
                if (i + 1 < line.size() && IsEscapedChar(line[i + 1])) {
                    escapes = true;
                    i += 2;
                    continue;
                }
                break;
            }
            i += len;
        }
    }

    const double value = NumberOf(number);
    if (!(std::fabs(value) <= FLT_MAX)) return Slow(line, pos, unit, scratch);
    std::string_view body = line.substr(textStart, i - textStart);
    if (escapes) {
        int32_t taken = 0;
        bool ok = true;
        scratch.text = cText::RtfStr2Str(body, taken, ok);
        if (!ok) return Slow(line, pos, unit, scratch);
        body = scratch.text;
    }
    unit = {word, static_cast<float>(value), body};
    pos += static_cast<int32_t>(i - start) - 1;
    return true;
}

}  // namespace tessaly
