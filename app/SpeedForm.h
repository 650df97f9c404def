#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The tempo dialog "音速": fourteen named tempos and a custom one.
namespace tavolin {

struct TempoRow {
    const char16_t* Text;
    int16_t BeatsPerMinute;
    int16_t MarkCode;
};

struct SpeedForm {
    static constexpr int kCustomIndex = 14;
    static constexpr int16_t kCustomCode = 37;
    static constexpr size_t kCustomDigits = 3;
    static const std::array<TempoRow, 14> kTempos;
    static constexpr char16_t kCustomText[] = u"自定义";
    static constexpr char16_t kCustomReason[] = u"自定义速度应为1-999拍/分钟";

    // The confirmed choice; 0 and 0 until the first OK.
    int16_t IntPlaySpeed = 0;
    int16_t PlaySpeedIndexType = 0;

    int Selected = 0;
    std::u16string Custom;

    // Opening again starts on the first tempo with the custom entry off.
    void Open();
    bool CustomEnabled() const { return Selected == kCustomIndex; }
    // The key the custom box keeps: digits while it holds fewer than three, and Backspace.
    static int16_t KeepKey(int16_t key, std::wstring_view text);
    // OK: the results take the chosen tempo; false, results unchanged, for a custom tempo of 0.
    bool Confirm();
};

// The editor request of a confirmed tempo: a custom one by its beats, a named one by its code.
struct TempoRequest {
    int32_t Message;
    int32_t WParam;
    int32_t LParam;
};
TempoRequest TempoRequestOf(const SpeedForm& form);

}  // namespace tavolin
