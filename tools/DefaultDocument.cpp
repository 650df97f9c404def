#include "DefaultDocument.h"

#include "DaDurFormat.h"
#include "cText.h"
#include "records/Marks.h"
#include "text/Cp936.h"

namespace tessaly {

namespace {

std::string Gbk(const char8_t* utf8) {
    const std::string_view text(reinterpret_cast<const char*>(utf8));
    return Utf16ToCp936(Utf8ToUtf16(text).value_or(u"")).value_or("");
}

std::vector<std::string> Build() {
    bool escaped = false;
    const std::string song = cText::Str2RtfStr(Gbk(u8"宋体"), escaped);
    const std::string title = cText::Str2RtfStr(Gbk(u8"写简谱用Tavolin"), escaped);

    std::string paragraph =
        "\\part\\cf1\\cb2\\f1\\i0\\strike0\\ul0\\b0\\att0\\fs16200\\expndtw0" + title + "\\att3\\f0";
    for (int code = marks::kMarkLeftIndent; code <= marks::kMarkParagraphSpare; ++code) {
        const int value = code == marks::kMarkSpacingBefore || code == marks::kMarkSpacingAfter ? 20 : 0;
        paragraph += "\\ex " + std::to_string(code) + "," + std::to_string(value) + ",0\\eex";
    }
    paragraph += "\\par";

    // DrumVer 1, the name, then fields 4 to 65 all 0 but DrumSpeed (field 23).
    std::string drum = "\\drumdata,0,1," + Gbk(u8"鼓点名称");
    for (int field = 4; field <= 65; ++field) drum += field == 23 ? ",80" : ",0";

    std::string order = "\\playinfo,PLAYORDER:0|1,-1";
    for (int i = 1; i < 48; ++i) order += "|0,0";

    return {
        "\\jprtfver2\\deff0\\basejpf0{\\fonttbl{\\f0\\fnil\\fcharset2\\hyg14\\hyc4 tolvane;}"
        "{\\f1\\fnil\\fcharset134\\hyg14\\hyc2 " +
            song + ";}}",
        "\\jpcolor\\pcb0{\\colortbl\\alpha255\\red255\\green255\\blue255;\\alpha255\\red0\\green0\\blue0;"
        "\\alpha0\\red0\\green0\\blue0;}",
        "\\jppaper\\margltw245\\margttw245\\margrtw245\\margbtw245\\papertype0\\pagecx210\\pagecy297\\cmscale0"
        "\\backgroundtype0\\pagepostype1\\pagenumbersize2\\scale1",
        paragraph,
        std::string(dadur::kHwLabelLine),
        dadur::DrumLabelLine(),
        drum,
        "\\playinfo,MAIN:1|1|120|-1|127|3|0",
        "\\playinfo,TRACK:0|127|3|0|0|-1|0|0",
        order,
    };
}

}  // namespace

const std::vector<std::string>& DefaultDocumentLines() {
    static const std::vector<std::string> lines = Build();
    return lines;
}

}  // namespace tessaly
