#pragma once

#include <map>
#include <string>
#include <vector>

#include "model/document/ControlSite.h"
#include "model/document/DocumentSource.h"
#include "model/document/EditorData.h"
#include "model/document/PageView.h"

namespace notaline::test {

// Records what the editing objects ask of the page renderer and the control, in one order; the
// screen is as the test sets it.
class RecordingView : public NoPageView, public NoControlSite {
public:
    int32_t ZoomPercent = 100;
    int32_t Dpi = 96;
    std::vector<std::string> Calls;
    std::vector<std::vector<int32_t>> ScrollInfo;
    std::vector<std::string> Failures;

    int32_t WindowsZoomPercentage() override { return ZoomPercent; }
    int32_t CurrentDpi() override { return Dpi; }
    void NewMeasureDC() override { Calls.push_back("NewMeasureDC"); }
    void ResetPageBuffers() override { Calls.push_back("ResetPageBuffers"); }
    void InitPageBuffers() override { Calls.push_back("InitPageBuffers"); }
    void InitPageScrollInfo(int32_t cx, int32_t cy, int32_t countX, int32_t countY) override {
        Calls.push_back("InitPageScrollInfo");
        ScrollInfo.push_back({cx, cy, countX, countY});
    }
    void ResetView() override { Calls.push_back("ResetView"); }
    void ClearModified() override { Calls.push_back("ClearModified"); }
    void LoadFailed(std::u16string_view, const std::string& reason) override {
        Calls.push_back("LoadFailed");
        Failures.push_back(reason);
    }
    void RefreshView(int32_t selStart, int32_t selLength, int32_t mode) override {
        Calls.push_back("RefreshView " + std::to_string(selStart) + " " + std::to_string(selLength) + " " +
                        std::to_string(mode));
    }
    void EnsureWordVisible(int32_t word) override { Calls.push_back("EnsureWordVisible " + std::to_string(word)); }
    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }
    std::vector<std::string> Messages;
};

// Hands out the documents the test put in, by file name; a name without one fails.
class FakeDocumentSource : public DocumentSource {
public:
    std::map<std::u16string, tessaly::JpData> Files;
    std::vector<std::string> Calls;

    DocumentRead ReadRtfFile(intptr_t, std::u16string_view name) override { return Read("rtf", name); }
    DocumentRead ReadDocFile(intptr_t, std::u16string_view name) override { return Read("doc", name); }

private:
    DocumentRead Read(const std::string& kind, std::u16string_view name) {
        Calls.push_back(kind);
        DocumentRead r;
        auto it = Files.find(std::u16string(name));
        if (it == Files.end()) {
            r.Reason = "not found";
            return r;
        }
        r.Ok = true;
        r.Doc = it->second;
        return r;
    }
};

}  // namespace notaline::test
