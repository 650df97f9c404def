#include "FormTable.h"

namespace tavolin {
namespace {

// The top panel's buttons stand in two rows, grouped so that the panel's group tips fall on
// their groups: durations, octaves, score header, bars, dynamics, tempo, others, alignment.
// Button types: 3 durations, 4 octaves, 5 alignment, 6 mark values, 7 help, 8 styles,
// 9 background colour, 10 text colour, 14 symbols.
// clang-format off
constexpr FormControl kControls[] = {
    {"TopFaceFrame", -1, ControlKind::Frame, "", -1, 200, 100, 14760, 1200, L"常用格式及字符", 0, 0},
    {"CmdFormatYc", 0, ControlKind::Button, "TopFaceFrame", -1, 120, 220, 480, 480, nullptr, 3, 1},
    {"CmdFormatYc", 1, ControlKind::Button, "TopFaceFrame", -1, 600, 220, 480, 480, nullptr, 3, 2},
    {"CmdFormatYc", 2, ControlKind::Button, "TopFaceFrame", -1, 120, 700, 480, 480, nullptr, 3, 3},
    {"CmdFormatYc", 3, ControlKind::Button, "TopFaceFrame", -1, 600, 700, 480, 480, nullptr, 3, 4},
    {"CmdFormatYg", 0, ControlKind::Button, "TopFaceFrame", -1, 1230, 220, 450, 480, nullptr, 4, 1},
    {"CmdFormatYg", 1, ControlKind::Button, "TopFaceFrame", -1, 1680, 220, 450, 480, nullptr, 4, 2},
    {"CmdFormatYg", 2, ControlKind::Button, "TopFaceFrame", -1, 2130, 220, 450, 480, nullptr, 4, 3},
    {"CmdFormatYg", 3, ControlKind::Button, "TopFaceFrame", -1, 2580, 220, 450, 480, nullptr, 4, 4},
    {"CmdFormatYg", 4, ControlKind::Button, "TopFaceFrame", -1, 1230, 700, 450, 480, nullptr, 4, 5},
    {"CmdFormatYg", 5, ControlKind::Button, "TopFaceFrame", -1, 1680, 700, 450, 480, nullptr, 4, 6},
    {"CmdFormatYg", 6, ControlKind::Button, "TopFaceFrame", -1, 2130, 700, 450, 480, nullptr, 4, 7},
    {"MunButton", 0, ControlKind::Button, "TopFaceFrame", -1, 3120, 220, 360, 480, nullptr, 14, 1},
    {"MunButton", 1, ControlKind::Button, "TopFaceFrame", -1, 4620, 220, 360, 480, nullptr, 14, 2},
    {"MunButton", 2, ControlKind::Button, "TopFaceFrame", -1, 4980, 220, 360, 480, nullptr, 14, 3},
    {"MunButton", 3, ControlKind::Button, "TopFaceFrame", -1, 5340, 220, 360, 480, nullptr, 14, 4},
    {"MunButton", 4, ControlKind::Button, "TopFaceFrame", -1, 7880, 220, 360, 480, nullptr, 14, 5},
    {"MunButton", 5, ControlKind::Button, "TopFaceFrame", -1, 8240, 220, 360, 480, nullptr, 14, 6},
    {"MunButton", 6, ControlKind::Button, "TopFaceFrame", -1, 7880, 700, 360, 480, nullptr, 14, 7},
    {"MunButton", 7, ControlKind::Button, "TopFaceFrame", -1, 9480, 220, 360, 480, nullptr, 14, 8},
    {"MunButton", 8, ControlKind::Button, "TopFaceFrame", -1, 9840, 220, 360, 480, nullptr, 14, 9},
    {"MunButton", 9, ControlKind::Button, "TopFaceFrame", -1, 3840, 220, 360, 480, nullptr, 14, 10},
    {"MunButton", 10, ControlKind::Button, "TopFaceFrame", -1, 10200, 220, 360, 480, nullptr, 14, 11},
    {"MunButton", 11, ControlKind::Button, "TopFaceFrame", -1, 6560, 220, 360, 480, nullptr, 14, 12},
    {"MunButton", 12, ControlKind::Button, "TopFaceFrame", -1, 10560, 220, 360, 480, nullptr, 14, 13},
    {"MunButton", 13, ControlKind::Button, "TopFaceFrame", -1, 10920, 220, 360, 480, nullptr, 14, 14},
    {"MunButton", 14, ControlKind::Button, "TopFaceFrame", -1, 5340, 700, 360, 480, nullptr, 14, 15},
    {"MunButton", 15, ControlKind::Button, "TopFaceFrame", -1, 11280, 220, 360, 480, nullptr, 14, 16},
    {"MunButton", 16, ControlKind::Button, "TopFaceFrame", -1, 6560, 700, 360, 480, nullptr, 14, 17},
    {"MunButton", 17, ControlKind::Button, "TopFaceFrame", -1, 6920, 700, 360, 480, nullptr, 14, 18},
    {"MunButton", 18, ControlKind::Button, "TopFaceFrame", -1, 11640, 220, 360, 480, nullptr, 14, 19},
    {"MunButton", 19, ControlKind::Button, "TopFaceFrame", -1, 12000, 220, 360, 480, nullptr, 14, 20},
    {"MunButton", 20, ControlKind::Button, "TopFaceFrame", -1, 3480, 220, 360, 480, nullptr, 14, 21},
    {"MunButton", 21, ControlKind::Button, "TopFaceFrame", -1, 9480, 700, 360, 480, nullptr, 14, 22},
    {"MunButton", 22, ControlKind::Button, "TopFaceFrame", -1, 9840, 700, 360, 480, nullptr, 14, 23},
    {"MunButton", 23, ControlKind::Button, "TopFaceFrame", -1, 4200, 700, 360, 480, nullptr, 14, 24},
    {"MunButton", 24, ControlKind::Button, "TopFaceFrame", -1, 5700, 220, 360, 480, nullptr, 14, 25},
    {"MunButton", 25, ControlKind::Button, "TopFaceFrame", -1, 4620, 700, 360, 480, nullptr, 14, 26},
    {"MunButton", 26, ControlKind::Button, "TopFaceFrame", -1, 10200, 700, 360, 480, nullptr, 14, 27},
    {"MunButton", 27, ControlKind::Button, "TopFaceFrame", -1, 3840, 700, 360, 480, nullptr, 14, 28},
    {"MunButton", 28, ControlKind::Button, "TopFaceFrame", -1, 4200, 220, 360, 480, nullptr, 14, 29},
    {"MunButton", 29, ControlKind::Button, "TopFaceFrame", -1, 3120, 700, 360, 480, nullptr, 14, 30},
    {"MunButton", 30, ControlKind::Button, "TopFaceFrame", -1, 3480, 700, 360, 480, nullptr, 14, 31},
    {"MunButton", 31, ControlKind::Button, "TopFaceFrame", -1, 6920, 220, 360, 480, nullptr, 14, 32},
    {"MunButton", 32, ControlKind::Button, "TopFaceFrame", -1, 10560, 700, 360, 480, nullptr, 14, 33},
    {"MunButton", 33, ControlKind::Button, "TopFaceFrame", -1, 10920, 700, 360, 480, nullptr, 14, 34},
    {"MunButton", 34, ControlKind::Button, "TopFaceFrame", -1, 11280, 700, 360, 480, nullptr, 14, 35},
    {"MunButton", 35, ControlKind::Button, "TopFaceFrame", -1, 11640, 700, 360, 480, nullptr, 14, 36},
    {"MunButton", 36, ControlKind::Button, "TopFaceFrame", -1, 4980, 700, 360, 480, nullptr, 14, 37},
    {"CmdFoamatDq", 0, ControlKind::Button, "TopFaceFrame", -1, 12600, 220, 360, 480, nullptr, 5, 1},
    {"CmdFoamatDq", 1, ControlKind::Button, "TopFaceFrame", -1, 12960, 220, 360, 480, nullptr, 5, 2},
    {"CmdFoamatDq", 2, ControlKind::Button, "TopFaceFrame", -1, 13320, 220, 360, 480, nullptr, 5, 3},
    {"CmdFoamatDq", 3, ControlKind::Button, "TopFaceFrame", -1, 12600, 700, 360, 480, nullptr, 5, 4},
    {"CmdFoamatDq", 4, ControlKind::Button, "TopFaceFrame", -1, 12960, 700, 360, 480, nullptr, 5, 5},
    {"CmdFoamatDq", 5, ControlKind::Button, "TopFaceFrame", -1, 13320, 700, 360, 480, nullptr, 5, 6},
    {"FaceFrame", 0, ControlKind::Frame, "", -1, 200, 1400, 1800, 3135, L"字体", 0, 0},
    {"Label2", 0, ControlKind::Label, "FaceFrame", 0, 1480, 0, 260, 240, L"▲", 0, 0},
    {"cmbFontName", -1, ControlKind::ComboBox, "FaceFrame", 0, 100, 300, 1600, 300, nullptr, 0, 0},
    {"CmbFontSize", -1, ControlKind::ComboBox, "FaceFrame", 0, 100, 720, 1600, 300, nullptr, 0, 0},
    {"CmdFont", 0, ControlKind::Button, "FaceFrame", 0, 100, 1160, 300, 480, nullptr, 8, 1},
    {"CmdFont", 1, ControlKind::Button, "FaceFrame", 0, 420, 1160, 300, 480, nullptr, 8, 2},
    {"CmdFont", 2, ControlKind::Button, "FaceFrame", 0, 740, 1160, 300, 480, nullptr, 8, 3},
    {"CmdFont", 3, ControlKind::Button, "FaceFrame", 0, 1060, 1160, 300, 480, nullptr, 8, 4},
    {"CmdFrColor", -1, ControlKind::Button, "FaceFrame", 0, 100, 1740, 300, 480, nullptr, 10, 1},
    {"CmdBkColor", -1, ControlKind::Button, "FaceFrame", 0, 420, 1740, 300, 480, nullptr, 9, 1},
    {"OptJpGc", 0, ControlKind::Option, "FaceFrame", 0, 100, 2400, 800, 300, L"简谱", 0, 0},
    {"OptJpGc", 1, ControlKind::Option, "FaceFrame", 0, 920, 2400, 800, 300, L"歌词", 0, 0},
    {"FaceFrame", 1, ControlKind::Frame, "", -1, 200, 4700, 1800, 2100, L"附加调节", 0, 0},
    {"Label2", 1, ControlKind::Label, "FaceFrame", 1, 1480, 0, 260, 240, L"▲", 0, 0},
    {"ExtralValCombo", -1, ControlKind::ComboBox, "FaceFrame", 1, 100, 280, 1600, 300, nullptr, 0, 0},
    {"CmdChangExtralValue", 0, ControlKind::Button, "FaceFrame", 1, 100, 680, 450, 480, nullptr, 6, 1},
    {"CmdChangExtralValue", 1, ControlKind::Button, "FaceFrame", 1, 550, 680, 450, 480, nullptr, 6, 2},
    {"CmdChangExtralValue", 2, ControlKind::Button, "FaceFrame", 1, 1000, 680, 450, 480, nullptr, 6, 3},
    {"CmdChangExtralValue", 3, ControlKind::Button, "FaceFrame", 1, 100, 1160, 450, 480, nullptr, 6, 4},
    {"CmdChangExtralValue", 4, ControlKind::Button, "FaceFrame", 1, 550, 1160, 450, 480, nullptr, 6, 5},
    {"CmdChangExtralValue", 5, ControlKind::Button, "FaceFrame", 1, 1000, 1160, 450, 480, nullptr, 6, 6},
    {"CmdDelExtralWd", -1, ControlKind::Button, "FaceFrame", 1, 1450, 680, 300, 480, nullptr, 6, 7},
    {"CmdAboutModifie", -1, ControlKind::Button, "FaceFrame", 1, 1450, 1160, 300, 480, nullptr, 6, 8},
    {"RichTextBox1", -1, ControlKind::RichText, "FaceFrame", 1, 100, 1680, 1000, 380, nullptr, 0, 0},
    {"CmdInfo", 0, ControlKind::Button, "FaceFrame", 1, 1130, 1700, 300, 300, nullptr, 7, 1},
    {"CmdInfo", 1, ControlKind::Button, "FaceFrame", 1, 1450, 1700, 300, 300, nullptr, 7, 2},
    {"ZEVudu1", -1, ControlKind::Editor, "", -1, 2200, 1400, 10000, 6000, nullptr, 0, 0},
    {"Picture1", -1, ControlKind::Splitter, "", -1, 2200, 7400, 10000, 90, nullptr, 0, 0},
    {"图片容器1", -1, ControlKind::Picture, "", -1, 2200, 7490, 10000, 2000, nullptr, 0, 0},
    {"StatusBar1", -1, ControlKind::StatusBar, "", -1, 0, 0, 0, 330, nullptr, 0, 0},
};
// clang-format on

}  // namespace

std::span<const FormControl> FormControls() {
    return kControls;
}

const FormControl* FindControl(std::string_view name, int index) {
    for (const auto& c : kControls)
        if (name == c.name && index == c.index) return &c;
    return nullptr;
}

}  // namespace tavolin
