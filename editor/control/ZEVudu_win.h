#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "api/IMyScrollInfo.h"
#include "com/Control.h"
#include "control/Editor_win.h"
#include "control/IZEVudu.h"
#include "control/ZEVuduVtable_win.h"

namespace notaline {

// The editor control. In a running program it owns an Editor with its own document, so two
// controls on one thread never share one; in a form designer it only keeps its properties.
class ZEVudu final : public com::ControlObject<ZEVudu, ZEVuduVtable> {
public:
    ZEVudu();            // Initialize
    ~ZEVudu() override;  // Terminate
    static std::span<const com::Member<ZEVudu>> Members();

    // The editor of a control that runs in a program; null in a form designer.
    Editor* Running() const { return editor_.get(); }
    IMyScrollInfo* ScrollService() const { return scroll_.Get(); }
    int32_t ScreenDpi() const { return screenDpi_; }
    // Repaints the window at once.
    void Repaint();

    // What the host's members keep in the control itself.
    // A file's size and last write time: what tells that another program wrote it.
    struct FileStamp {
        uint64_t Size = 0;
        uint64_t Written = 0;
        bool operator==(const FileStamp&) const = default;
    };
    struct HostState {
        std::wstring FileName;           // of the document shown; "" for the built-in one
        std::optional<FileStamp> Stamp;  // FileName's when this control opened or last saved it
        bool Pause = false;              // as last put while music played
        int16_t ZhuYingPosY = 0;
        int16_t ChangMingScale = 100;  // percent of the note size
        int16_t InputForeColorIndex = 0;
        int16_t InputBackColorIndex = 0;
    };
    HostState& Kept() { return kept_; }

    // The host program's own interface besides the dispatch one.
    void* QueryOther(REFIID iid) {
        if (iid == __uuidof(IZEVuduHost)) return static_cast<IZEVuduHost*>(&hostFace_);
        return ControlObject::QueryOther(iid);
    }

    // The persisted properties.
    int16_t Appearance() const { return appearance_; }
    void Appearance(int16_t value);
    int16_t BackStyle() const { return backStyle_; }
    void BackStyle(int16_t value);
    int16_t BorderStyle() const { return borderStyle_; }
    void BorderStyle(int16_t value);
    bool Enabled() const { return enabled_; }
    void Enabled(bool value);
    int32_t ScrollBars() const { return scrollBars_; }
    void ScrollBars(int32_t value);
    int32_t SelBackColor = static_cast<int32_t>(0x8000000D);
    int32_t SelForecolor = static_cast<int32_t>(0x8000000E);

protected:
    void ReadProperties(com::PropertyReader& bag) override;
    void WriteProperties(com::PropertyWriter& bag) override;
    void OnResize() override;
    void OnClick() override;
    void OnKeyDown(int16_t& keyCode, int16_t shift) override;
    void OnKeyPress(int16_t& keyAscii) override;
    void OnKeyUp(int16_t& keyCode, int16_t shift) override;
    void OnMouseDown(com::MouseEvent& e) override;
    void OnMouseMove(com::MouseEvent& e) override;
    void OnMouseUp(com::MouseEvent& e) override;

private:
    void StartRunning();
    void ApplyBorder();
    void ShowScrollBars();
    bool TypingState() const;
    using MouseHandler = void (*)(Editor&, com::MouseEvent&);
    bool MouseByState(com::MouseEvent& e, MouseHandler text, MouseHandler lpx);
    void FireKey(DISPID id, int16_t& keyCode, int16_t shift);
    void FireMouse(DISPID id, com::MouseEvent& e);

    com::Ptr<IMyScrollInfo> scroll_;
    std::unique_ptr<Editor> editor_;
    int32_t screenDpi_ = 96;
    int16_t appearance_ = zevudu::Flat;
    int16_t backStyle_ = zevudu::不透明;
    int16_t borderStyle_ = zevudu::简单边框;
    bool enabled_ = true;
    int32_t scrollBars_ = zevudu::ercScrollBarsBoth;
    HostState kept_;

    class HostFace final : public com::Face<ZEVudu, IZEVuduHost> {
    public:
        using Face::Face;
        HRESULT STDMETHODCALLTYPE WriteBackup(BSTR FileName) override;
        HRESULT STDMETHODCALLTYPE SaveBeside(BSTR FileName, LONG_PTR HostWindow) override;
        HRESULT STDMETHODCALLTYPE WaitForSaves() override;
        HRESULT STDMETHODCALLTYPE SavePicturesBeside(BSTR FileName) override;
        HRESULT STDMETHODCALLTYPE PicturesUnderWay() override;
        HRESULT STDMETHODCALLTYPE WaitForPictures() override;
    };
    HostFace hostFace_{*this};
};

}  // namespace notaline
