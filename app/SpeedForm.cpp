#include "SpeedForm.h"

#include "FormNumbers.h"
#include "records/Messages.h"

namespace tavolin {

const std::array<TempoRow, 14> SpeedForm::kTempos = {{
    {u"庄板=40拍/分钟", 40, 163},
    {u"广板=46拍/分钟", 46, 164},
    {u"慢板=52拍/分钟", 52, 165},
    {u"柔板=56拍/分钟", 56, 166},
    {u"小广板=60拍/分钟", 60, 167},
    {u"行板=66拍/分钟", 66, 168},
    {u"小行板=69拍/分钟", 69, 169},
    {u"中板=88拍/分钟", 88, 170},
    {u"小快板=108拍/分钟", 108, 171},
    {u"快板=132拍/分钟", 132, 172},
    {u"小速板=152拍/分钟", 152, 173},
    {u"速板=160拍/分钟", 160, 174},
    {u"急板=184拍/分钟", 184, 175},
    {u"极急=208拍/分钟", 208, 176},
}};

void SpeedForm::Open() {
    Selected = 0;
    Custom.clear();
}

int16_t SpeedForm::KeepKey(int16_t key, std::wstring_view text) {
    constexpr int16_t kBackspace = 8;
    if (key == kBackspace) return key;
    return key >= '0' && key <= '9' && text.size() < kCustomDigits ? key : 0;
}

bool SpeedForm::Confirm() {
    if (Selected >= 0 && Selected < kCustomIndex) {
        IntPlaySpeed = kTempos[static_cast<size_t>(Selected)].BeatsPerMinute;
        PlaySpeedIndexType = kTempos[static_cast<size_t>(Selected)].MarkCode;
        return true;
    }
    // At most three digits reach here; a pasted longer text is cut the same way.
    const double beats = ValOf(Custom.substr(0, kCustomDigits));
    if (Selected != kCustomIndex || beats < 1) return false;
    IntPlaySpeed = static_cast<int16_t>(beats);
    PlaySpeedIndexType = kCustomCode;
    return true;
}

TempoRequest TempoRequestOf(const SpeedForm& form) {
    constexpr int32_t kTempoPlace = 0x10012;
    if (form.PlaySpeedIndexType == SpeedForm::kCustomCode)
        return {tessaly::EM_Custom_ChangSpeed, kTempoPlace, form.IntPlaySpeed};
    return {tessaly::EM_ChangSpeed, kTempoPlace, form.PlaySpeedIndexType};
}

}  // namespace tavolin
