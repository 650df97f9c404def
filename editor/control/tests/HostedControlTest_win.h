#pragma once
// Editor controls hosted in a container window for a test; they close before the window goes.
#include <gtest/gtest.h>

#include <vector>

#include "com/Container.h"
#include "control/ZEVudu_win.h"
#include "model/document/DocumentSource.h"

namespace notaline::test {

// Beeps counted instead of sounded; no key held; colours as given.
class CountedBeeps final : public SystemServices {
public:
    void Beep() override { ++beeps; }
    bool IsKeyDown(int32_t) override { return false; }
    uint32_t TranslateColor(uint32_t c) override { return c; }
    int beeps = 0;
};

// Hands the editor a song in place of a file.
class SongSource final : public DocumentSource {
public:
    explicit SongSource(tessaly::JpData doc) : doc_(std::move(doc)) {}
    DocumentRead ReadRtfFile(intptr_t, std::u16string_view) override { return {true, {}, doc_}; }
    DocumentRead ReadDocFile(intptr_t, std::u16string_view) override { return {true, {}, doc_}; }

private:
    tessaly::JpData doc_;
};

struct HostedControlTest : ::testing::Test {
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"Tavolin--测试", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent);
        if (hostProc) SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProc));
        // What an earlier test or program copied is not pasted here.
        if (!keepClipboard && OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
    }
    void TearDown() override {
        for (auto& s : sites) s->Close();
        sites.clear();
        DestroyWindow(parent);
    }
    // A control of the statically linked class, so its editor can be looked into.
    ZEVudu& Host(const std::vector<com::StoredProperty>& stored = {}, bool userMode = true) {
        com::Ptr<IZEVudu> z;
        EXPECT_EQ(S_OK, ZEVudu::Create(__uuidof(IZEVudu), z.OutVoid()));
        auto bag = com::PropertyBag::Create(stored);
        com::Ptr<com::ControlSite> site;
        EXPECT_EQ(S_OK, com::ControlSite::Host(z.Get(), parent, RECT{0, 0, 600, 400}, bag.Get(), userMode, site));
        sites.push_back(site);
        return *static_cast<ZEVudu*>(z.Get());
    }

    HWND parent = nullptr;
    WNDPROC hostProc = nullptr;  // a fixture's constructor sets it to see what controls send their host
    bool keepClipboard = false;  // a fixture's constructor sets it to paste what another program copied
    std::vector<com::Ptr<com::ControlSite>> sites;
};

}  // namespace notaline::test
