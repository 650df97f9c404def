#include "FileErrors.h"

namespace tessaly {

namespace {

struct ErrorText {
    int32_t number;
    std::string_view text;
};

constexpr ErrorText kTexts[] = {
    {kErrOverflow, "溢出"},
    {kErrSubscript, "下标越界"},
    {kErrFileNotFound, "文件未找到"},
    {kErrDiskFull, "磁盘已满"},
    {kErrPastEnd, "输入超出文件尾"},
    {kErrPermissionDenied, "没有权限"},
    {kErrFileAccess, "路径/文件访问错误"},
    {kErrPathNotFound, "路径未找到"},
    {kErrBadFileFormat, "无效的文件格式"},
    {kErrReadOnly, "文件只读，不能覆盖"},
    {kErrPathTooLong, "路径或文件名太长"},
    {kErrTooLarge, "文档太大，无法处理"},
    {kErrEndsEarly, "文件提前结束，文档可能不完整"},
    {kErrBusy, "正在读写另一个文件"},
};

}  // namespace

std::string_view FileErrorText(int32_t number) {
    for (const ErrorText& e : kTexts)
        if (e.number == number) return e.text;
    return {};
}

std::string FileErrorReason(int32_t number, const std::filesystem::path& name) {
    std::string reason(FileErrorText(number));
    try {
        const std::u8string utf8 = name.u8string();
        if (!utf8.empty()) reason += ": " + std::string(utf8.begin(), utf8.end());
    } catch (...) {
        // a name with no UTF-8 form is left out
    }
    return reason;
}

}  // namespace tessaly
