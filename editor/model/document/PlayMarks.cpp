#include "model/document/PlayMarks.h"

#include <algorithm>
#include <string>

#include "model/document/MarkCodes.h"

namespace notaline {

namespace {

constexpr int32_t kTempoDigits = 3;

// Keys by accidental (none, sharp, flat) and letter C D E F G A B; -1 where there is none.
constexpr int8_t kKeys[3][7] = {{0, 2, 4, 5, 7, 9, 11}, {1, 3, -1, 6, 8, 10, -1}, {-1, 1, 3, -1, 6, 8, 10}};

// Key signature, tempo and metre as typed: "1", "=", an optional "#" or "b", a letter; "J", "=",
// digits; a time signature mark.
class PlayMarkScanner {
public:
    explicit PlayMarkScanner(EditorData& data) : data_(data) {}

    void Mark(int32_t word, const tessaly::aExtralWordInfo& mark) {
        const int32_t code = mark.IndexType;
        if ((code >= kMarkSharp && code <= kMarkKeySetting) || code == kMarkEquals) KeyStep(code);
        if (code >= kMarkKeyC && code <= kMarkKeyB) KeyLetter(code - kMarkKeyC);
        if (code == kMarkTempoJ) tempoJ_ = !tempoJ_;
        if (code == kMarkEquals) TempoDigits(word);
        if (code == kMarkTimeSignature) Metre(mark);
    }

private:
    enum class Key { None, One, OneIs, Sharp, Flat };  // "", "1", "1=", "1=#", "1=b"

    void KeyStep(int32_t code) {
        if (code == kMarkEquals) {
            key_ = key_ == Key::One ? Key::OneIs : Key::None;
        } else if (key_ == Key::None) {
            if (code == kMarkKeySetting) key_ = Key::One;
        } else if (key_ == Key::OneIs && code == kMarkSharp) {
            key_ = Key::Sharp;
        } else if (key_ == Key::OneIs && code == kMarkFlat) {
            key_ = Key::Flat;
        } else {
            key_ = Key::None;
        }
    }

    void KeyLetter(int32_t letter) {
        const int accidental = key_ == Key::OneIs ? 0 : key_ == Key::Sharp ? 1 : key_ == Key::Flat ? 2 : -1;
        key_ = Key::None;
        if (accidental < 0) return;
        const int8_t key = kKeys[accidental][letter];
        auto& track = data_.PlayInfo.Track;
        const size_t main = static_cast<size_t>(data_.PlayInfo.MainTrack) - 1;
        if (key >= 0 && data_.PlayInfo.MainTrack >= 1 && main < track.size())
            track[main].Yd = static_cast<uint8_t>(key);
    }

    // At most three digits after "J=". Without any the tempo stays as it was.
    void TempoDigits(int32_t word) {
        if (!tempoJ_) return;
        tempoJ_ = false;
        int32_t bpm = 0, digits = 0;
        for (int32_t j = word + 1; j < data_.WordCount() - 1 && digits < kTempoDigits; ++j, ++digits) {
            const int16_t c = data_.WordInfo.Stored(static_cast<size_t>(j)).WdAsc;
            if (c < '0' || c > '9') break;
            bpm = bpm * 10 + (c - '0');
        }
        if (digits > 0) data_.PlayInfo.Bpm = static_cast<int16_t>(std::max(1, bpm));
    }

    void Metre(const tessaly::aExtralWordInfo& mark) {
        const std::string text = std::to_string(mark.ExtralWordVal1) + "/" + std::to_string(mark.ExtralWordVal2);
        for (size_t i = 0; i < kMetreList.size(); ++i) {
            if (kMetreList[i] == text) {
                data_.PlayInfo.JiePai = static_cast<uint8_t>(i);
                return;
            }
        }
    }

    EditorData& data_;
    Key key_ = Key::None;
    bool tempoJ_ = false;  // "J" read, waiting for "="
};

}  // namespace

void ScanPlayMarks(EditorData& data) {
    PlayMarkScanner scanner(data);
    for (int32_t i = 0; i < data.WordCount(); ++i)
        for (const auto& mark : data.WordInfo.Stored(static_cast<size_t>(i)).ExtralWordInfo) scanner.Mark(i, mark);
}

bool PlayMarksNear(const EditorData& data, int32_t first, int32_t last) {
    last = std::min(last, data.WordCount() - 1);
    for (int32_t i = std::max(first - kTempoDigits, 0); i <= last; ++i)
        for (const auto& mark : data.WordInfo.Stored(static_cast<size_t>(i)).ExtralWordInfo)
            if (IsPlayMarkCode(mark.IndexType)) return true;
    return false;
}

}  // namespace notaline
