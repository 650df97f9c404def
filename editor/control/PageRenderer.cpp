#include "control/PageRenderer.h"

#include "model/layout/LayoutSetup.h"

namespace notaline {

namespace {

// Runs a join and tells OnPagesCounted when it changed what the host is shown.
template <class Join>
auto Counted(const EditorData& data, const std::function<void()>& told, Join&& join) {
    const int32_t pages = data.PageCount(), line = data.CurLine;
    auto joined = join();
    if ((pages != data.PageCount() || line != data.CurLine) && told) told();
    return joined;
}

}  // namespace

WholeLayout PageRenderer::JoinUp(EditorData& data) {
    return Counted(data, OnPagesCounted, [&] { return notaline::JoinUp(data, *this); });
}

bool PageRenderer::JoinUpStep(EditorData& data, int32_t lines) {
    return Counted(data, OnPagesCounted, [&] { return notaline::JoinUpStep(data, *this, lines); });
}

}  // namespace notaline
