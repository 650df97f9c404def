#include "FileCommands_win.h"

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DocumentNames.h"
#include "FileAccess.h"
#include "MainWindow_win.h"
#include "Modules_win.h"
#include "RecentFiles.h"
#include "com/Bstr.h"
#include "com/Create.h"
#include "records/Dialogs.h"
#include "win/KernelHandles.h"

namespace tavolin {
namespace {

constexpr const wchar_t* kTitle = tessaly::kProgramTitle;
constexpr wchar_t kCaptionPrefix[] = L"Tavolin--";
constexpr wchar_t kDocumentFilter[] = L"ZoRiv 文件(*.ZoRiv)|*.ZoRiv|DaDur 文件(*.DaDur)|*.Dadur|所有文件(*.*)| *.*";
constexpr wchar_t kPictureFilter[] =
    L"GIF 文件(*.Gif)|*.Gif|JPG 文件(*.JPG)|*.JPG|BMP 文件(*.BMP)|*.BMP|PNG 文件(*.PNG)|*.PNG|所有文件(*.*)| *.*";
constexpr wchar_t kMidiFilter[] = L"Mid 文件(*.Mid)|*.Mid|所有文件(*.*)| *.*";
constexpr UINT_PTR kBackupSubclass = 0x3601;
constexpr UINT_PTR kSavesSubclass = 0x3602;
constexpr DWORD kWholeValue = 32768;

// The list reads its keys whole (a path may be longer than the INI service's values) and writes
// through the service.
class IniRecentStore final : public RecentStore {
public:
    IniRecentStore(IReadWriteIni* ini, std::wstring file) : ini_(ini), file_(std::move(file)) {}
    std::wstring Read(const std::wstring& key) override {
        if (tessaly::SettingsFileTooLarge(file_)) return {};
        std::vector<wchar_t> buffer(kWholeValue, L'\0');
        const DWORD n =
            GetPrivateProfileStringW(kRecentSection, key.c_str(), L"", buffer.data(), kWholeValue, file_.c_str());
        return std::wstring(buffer.data(), std::min<DWORD>(n, kWholeValue - 1));
    }
    void Write(const std::wstring& key, const std::wstring& value) override {
        if (ini_) ini_->WriteINIFile(kRecentSection, key.c_str(), value.c_str(), file_.c_str());
    }

private:
    IReadWriteIni* ini_;
    std::wstring file_;
};

// The settings file holds ANSI (code page 936) text: a path it cannot hold would come back changed.
bool Cp936Holds(const std::wstring& path) {
    BOOL lost = FALSE;
    const int n = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, path.data(), static_cast<int>(path.size()), nullptr, 0,
                                      nullptr, &lost);
    return n > 0 && !lost;
}

class FileCommands : public std::enable_shared_from_this<FileCommands> {
public:
    explicit FileCommands(MainWindow& form) : form_(form) {}
    ~FileCommands() { StopBackupClock(); }

    void Register();
    void UpdateRecentFiles(const std::wstring& path);

private:
    // While a file command shows its own dialog or box, backup ticks are skipped.
    struct Busy {
        explicit Busy(FileCommands& f) : f_(f), was_(f.busy_) { f_.busy_ = true; }
        ~Busy() { f_.busy_ = was_; }
        FileCommands& f_;
        bool was_;
    };

    IZEVudu* Ed() const { return form_.Editor(); }
    HWND Owner() const { return form_.Handle(); }
    int Box(const std::wstring& text, UINT style) { return MessageBoxW(Owner(), text.c_str(), kTitle, style); }
    void FocusEditor() const {
        if (form_.EditorWindow()) SetFocus(form_.EditorWindow());
    }
    std::wstring FileName() const;
    bool Modified() const;
    std::wstring FirstLine() const;
    bool Exists(const std::wstring& name) const;

    struct Chosen {
        std::wstring name;
        long filterIndex;
    };
    std::optional<Chosen> AskSaveName(const std::wstring& suggested, const wchar_t* filter, const wchar_t* title);
    bool AskSaveDoc();
    // The menu's saves (beside) write beside the window and finish in SaveDone; the others are
    // written before they return, for the step that waits on them.
    bool SaveCommand(bool beside = false);
    bool SaveDocAs(std::wstring& name, bool beside = false);
    bool SaveUnder(const std::wstring& name, bool beside, bool saveAs);
    void SaveDone(bool written, const std::wstring& name);
    void WaitForSaves();
    bool ConfirmOverwrite(const std::wstring& name);
    void OpenFile();
    bool LoadDocument(const std::wstring& path, const std::wstring& caption);
    void SaveAsPictures();
    void ExportMidi();
    void Print();
    void NewDocument();
    void HelpDoc();
    void About();
    void Exit();
    void OpenRecentFile(int index);
    void ToggleBackup();
    void BackupTick();
    void StopBackup();
    void StopBackupClock();
    static void CALLBACK BackupClock(void* self, BOOLEAN);
    static LRESULT CALLBACK BackupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK SavesProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    com::Ptr<IZEVuduHost> HostSaves() const {
        com::Ptr<IZEVuduHost> host;
        if (Ed()) Ed()->QueryInterface(__uuidof(IZEVuduHost), host.OutVoid());
        return host;
    }

    MainWindow& form_;
    std::array<std::wstring, kRecentShown> recent_;
    std::wstring backupFileName_;
    bool backupOn_ = false;
    bool busy_ = false;
    HANDLE backupClock_ = nullptr;
    HWND clockWindow_ = nullptr;             // where the clock posts, set before it starts
    std::atomic<bool> backupPosted_{false};  // one kBackupDue at a time in the queue
    // The save written beside the window: the name shown before it, and whether it was a save as.
    std::wstring savingFrom_;
    bool savingAs_ = false;
};

std::wstring FileCommands::FileName() const {
    com::Bstr name;
    if (Ed()) Ed()->get_FileName(name.Out());
    return name.Str();
}

bool FileCommands::Modified() const {
    VARIANT_BOOL modified = VARIANT_FALSE;
    if (Ed()) Ed()->get_Modified(&modified);
    return modified != VARIANT_FALSE;
}

std::wstring FileCommands::FirstLine() const {
    com::Bstr first;
    if (Ed()) Ed()->get_FristLineStr(first.Out());
    return first.Str();
}

bool FileCommands::Exists(const std::wstring& name) const {
    VARIANT_BOOL exists = VARIANT_FALSE;
    if (form_.Ini()) form_.Ini()->FileExists(name.c_str(), &exists);
    return exists != VARIANT_FALSE;
}

// True after No, or after Yes and a save that succeeded: otherwise the changes would be lost.
bool FileCommands::AskSaveDoc() {
    Busy busy(*this);
    const int answer = Box(L"先保存当前文档吗?", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO) return true;
    return answer == IDYES && SaveCommand();
}

bool FileCommands::SaveCommand(bool beside) {
    const std::wstring name = FileName();
    if (name.empty()) {
        std::wstring suggested = FirstLine();
        return SaveDocAs(suggested, beside);
    }
    if (beside) {
        const bool started = SaveUnder(name, true, false);
        FocusEditor();
        return started;
    }
    WaitForSaves();
    com::Bstr arg(name);
    const HRESULT hr = Ed() ? Ed()->SaveFile(arg.Ref(), reinterpret_cast<LONG_PTR>(Owner())) : E_POINTER;
    FocusEditor();
    return SUCCEEDED(hr) && !Modified();
}

bool FileCommands::ConfirmOverwrite(const std::wstring& name) {
    if (!Exists(name)) return true;
    return Box(L"文件“" + name + L"”已经存在，覆盖保存？", MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
}

// The save dialog; nothing when cancelled. The system's own overwrite prompt stays off: the
// program asks once about the name it writes, after the filter's ending was added.
std::optional<FileCommands::Chosen> FileCommands::AskSaveName(const std::wstring& suggested, const wchar_t* filterText,
                                                              const wchar_t* titleText) {
    ImCommonDialog* dialog = form_.CommonDialog();
    if (!dialog) return std::nullopt;
    com::Bstr file(suggested), filter(filterText), title(titleText);
    VARIANT_BOOL overwrite = VARIANT_FALSE, ok = VARIANT_FALSE;
    LONG filterIndex = 1, flags = 0;
    LONG_PTR owner = reinterpret_cast<LONG_PTR>(Owner());
    dialog->VBGetSaveFileName(file.Ref(), nullptr, &overwrite, filter.Ref(), &filterIndex, nullptr, title.Ref(),
                              nullptr, &owner, &flags, &ok);
    if (!ok) return std::nullopt;
    return Chosen{file.Str(), filterIndex};
}

bool FileCommands::SaveDocAs(std::wstring& name, bool beside) {
    Busy busy(*this);
    const auto chosen = AskSaveName(name, kDocumentFilter, L"选择保存文件");
    if (!chosen) return false;
    name = DocumentSaveName(chosen->name, chosen->filterIndex);
    if (!ConfirmOverwrite(name)) return false;
    return SaveUnder(name, beside, true);
}

// Caption, list and backup name follow the document only once it was written. Beside the window
// the save only starts here; SaveDone follows when it is written.
bool FileCommands::SaveUnder(const std::wstring& name, bool beside, bool saveAs) {
    WaitForSaves();
    savingFrom_ = FileName();
    savingAs_ = saveAs;
    com::Bstr arg(name);
    if (const auto host = beside ? HostSaves() : nullptr) {
        SetWindowSubclass(Owner(), SavesProc, kSavesSubclass, reinterpret_cast<DWORD_PTR>(this));
        return host->SaveBeside(arg.Get(), reinterpret_cast<LONG_PTR>(Owner())) == S_OK;
    }
    const HRESULT hr = Ed() ? Ed()->SaveFile(arg.Ref(), reinterpret_cast<LONG_PTR>(Owner())) : E_POINTER;
    if (FAILED(hr)) return false;
    SaveDone(true, name);
    return true;
}

void FileCommands::SaveDone(bool written, const std::wstring& name) {
    if (!written || !savingAs_) return;
    form_.SetCaption(kCaptionPrefix + name);
    UpdateRecentFiles(name);
    if (backupOn_ && name != savingFrom_)
        backupFileName_ = BackupName(name, [this](const std::wstring& n) { return Exists(n); });
}

void FileCommands::WaitForSaves() {
    if (const auto host = HostSaves()) host->WaitForSaves();
}

LRESULT CALLBACK FileCommands::SavesProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    static const UINT done = RegisterWindowMessageW(kSaveDoneMessage);
    if (msg == done && lParam)
        reinterpret_cast<FileCommands*>(self)->SaveDone(wParam != 0, reinterpret_cast<const wchar_t*>(lParam));
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, SavesProc, kSavesSubclass);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void FileCommands::OpenFile() {
    Busy busy(*this);
    if (Modified() && !AskSaveDoc()) return;
    ImCommonDialog* dialog = form_.CommonDialog();
    if (!dialog) return;
    com::Bstr file(L""), filter(kDocumentFilter), title(L"选择打开文件");
    VARIANT_BOOL mustExist = VARIANT_TRUE, multi = VARIANT_FALSE, readOnly = VARIANT_FALSE,
                 hideReadOnly = VARIANT_FALSE, ok = VARIANT_FALSE;
    LONG filterIndex = 1, flags = 0;
    LONG_PTR owner = reinterpret_cast<LONG_PTR>(Owner());
    dialog->VBGetOpenFileName(file.Ref(), nullptr, &mustExist, &multi, &readOnly, &hideReadOnly, filter.Ref(),
                              &filterIndex, nullptr, title.Ref(), nullptr, &owner, &flags, &ok);
    const std::wstring name = file.Str();
    if (ok && name != FileName()) LoadDocument(name, kCaptionPrefix + name);
}

// Caption, Modified, the list and the backup name change only after a load that succeeded.
bool FileCommands::LoadDocument(const std::wstring& path, const std::wstring& caption) {
    const HCURSOR old = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    com::Bstr arg(path);
    const HRESULT hr = Ed() ? Ed()->put_FileName(arg.Get()) : E_POINTER;
    if (SUCCEEDED(hr)) {
        form_.SetCaption(caption);
        Ed()->put_Modified(VARIANT_FALSE);
        UpdateRecentFiles(path);
        if (backupOn_) backupFileName_ = BackupName(path, [this](const std::wstring& n) { return Exists(n); });
    }
    FocusEditor();
    SetCursor(old);
    return SUCCEEDED(hr);
}

void FileCommands::SaveAsPictures() {
    Busy busy(*this);
    if (!Ed()) return;
    // One export at a time: the second is refused before the user names its files.
    if (const auto host = HostSaves(); host && host->PicturesUnderWay() == S_OK) {
        Box(L"正在保存图片…，按 Esc 可停止", MB_OK | MB_ICONINFORMATION);
        return;
    }
    const auto chosen = AskSaveName(PictureSuggestion(FileName(), FirstLine()), kPictureFilter, L"选择保存文件");
    if (!chosen) return;
    com::Bstr name(PictureSaveName(chosen->name, chosen->filterIndex));
    // Written beside the window: the editor tells the progress and the outcome, Esc stops it.
    if (const auto host = HostSaves()) host->SavePicturesBeside(name.Get());
    FocusEditor();
}

void FileCommands::ExportMidi() {
    Busy busy(*this);
    if (!Ed()) return;
    const auto chosen = AskSaveName(FirstLine(), kMidiFilter, L"选择导出文件");
    if (!chosen) return;
    const std::wstring name = MidiSaveName(chosen->name, chosen->filterIndex);
    if (!ConfirmOverwrite(name)) return;
    com::Bstr arg(name);
    Ed()->SaveMidFile(arg.Ref());
}

void FileCommands::Print() {
    Busy busy(*this);
    if (Ed()) Ed()->PrintDoc();
}

// Another copy of this program with its default document, minimised with the focus.
void FileCommands::NewDocument() {
    std::wstring command = L"\"" + com::ProgramFolder() + L"Tavolin.exe\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        // The new copy runs on by itself: its handles are not kept.
        win::KernelHandle thread(pi.hThread), process(pi.hProcess);
    }
}

// Without the document beside the program, the user is told which file was looked for before
// being asked to save anything.
void FileCommands::HelpDoc() {
    Busy busy(*this);
    const std::wstring help = com::ProgramFolder() + L"帮助文档.DaDur";
    if (!Exists(help)) {
        Box(L"没有找到帮助文档“" + help + L"”。", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (Modified() && !AskSaveDoc()) return;
    LoadDocument(help, L"Tavolin--帮助文档");
}

void FileCommands::About() {
    Busy busy(*this);
    Box(std::wstring(kTitle) + L"\n版本 1.0", MB_OK | MB_ICONINFORMATION);
}

// Every form of the program closes, the main window last; its save prompt may keep it open.
void FileCommands::Exit() {
    std::vector<HWND> forms;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&forms));
    for (HWND hwnd : forms)
        if (hwnd != Owner() && IsWindowVisible(hwnd) && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
    SendMessageW(Owner(), WM_CLOSE, 0, 0);
}

void FileCommands::OpenRecentFile(int index) {
    if (index < 0 || index >= kRecentShown || recent_[index].empty()) return;
    Busy busy(*this);
    const std::wstring path = TrimBlanks(recent_[index]);
    if (!Exists(path)) {
        Box(L"文件未找到...", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (Modified() && !AskSaveDoc()) return;
    LoadDocument(path, kCaptionPrefix + path);
}

void FileCommands::UpdateRecentFiles(const std::wstring& path) {
    IniRecentStore store(form_.Ini(), com::ProgramFolder() + L"UserSetInfo.ini");
    const RecentMenu menu = tavolin::UpdateRecentFiles(store, path, Cp936Holds);
    form_.ShowMenu("最近打开文件", kRecentShown, menu.separator);
    recent_ = menu.paths;
    for (int i = 0; i < kRecentShown; ++i) {
        form_.ShowMenu("最近打开文件", i, !recent_[i].empty());
        form_.SetMenuCaption("最近打开文件", i, RecentCaption(recent_[i]));
    }
}

void FileCommands::ToggleBackup() {
    Busy busy(*this);
    const bool on = !form_.MenuChecked("AutoSave", -1);
    form_.CheckMenu("AutoSave", -1, on);
    if (!on) return StopBackup();
    const std::wstring name = FileName();
    if (name.empty()) {
        Box(L"需要先将文档保存！", MB_OK | MB_ICONINFORMATION);
        form_.CheckMenu("AutoSave", -1, false);
        return;
    }
    backupFileName_ = BackupName(name, [this](const std::wstring& n) { return Exists(n); });
    backupOn_ = true;
    SetWindowSubclass(Owner(), BackupProc, kBackupSubclass, reinterpret_cast<DWORD_PTR>(this));
    StopBackupClock();
    clockWindow_ = Owner();
    const UINT interval = gBackupInterval;
    CreateTimerQueueTimer(&backupClock_, nullptr, BackupClock, this, interval, interval, WT_EXECUTEDEFAULT);
    Box(L"附本文档为：" + backupFileName_, MB_OK | MB_ICONINFORMATION);
}

void FileCommands::StopBackup() {
    backupOn_ = false;
    KillTimer(Owner(), kBackupTimerId);
    StopBackupClock();
}

// Waits for a tick that is running, so that none reaches a gone window or object.
void FileCommands::StopBackupClock() {
    if (backupClock_) DeleteTimerQueueTimer(nullptr, backupClock_, INVALID_HANDLE_VALUE);
    backupClock_ = nullptr;
}

void CALLBACK FileCommands::BackupClock(void* self, BOOLEAN) {
    auto& f = *static_cast<FileCommands*>(self);
    if (!f.backupPosted_.exchange(true) && !PostMessageW(f.clockWindow_, kBackupDue, 0, 0)) f.backupPosted_ = false;
}

// Written on this thread between other messages; the writer pumps none, so typed keys wait.
void FileCommands::BackupTick() {
    if (!backupOn_ || busy_ || !Ed()) return;
    // The copy is written beside the window; a failure is told by the tick after it.
    com::Bstr name(backupFileName_);
    const auto host = HostSaves();
    if (host && SUCCEEDED(host->WriteBackup(name.Get()))) return;
    StopBackup();
    form_.CheckMenu("AutoSave", -1, false);
    Busy busy(*this);
    Box(L"附本保存失败，定时保存已关闭。", MB_OK | MB_ICONEXCLAMATION);
}

LRESULT CALLBACK FileCommands::BackupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* f = reinterpret_cast<FileCommands*>(self);
    if ((msg == WM_TIMER && wParam == kBackupTimerId) || msg == kBackupDue) {
        if (msg == kBackupDue) f->backupPosted_ = false;
        f->BackupTick();
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        f->StopBackupClock();
        RemoveWindowSubclass(hwnd, BackupProc, kBackupSubclass);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void FileCommands::Register() {
    // The handlers own the commands: they live as long as the router.
    auto self = shared_from_this();
    CommandRouter& r = form_.Router();
    r.Add("CreatFile", [self](int) { self->NewDocument(); });
    r.Add("OpenFile", [self](int) { self->OpenFile(); });
    r.Add("SaveFile", [self](int) { self->SaveCommand(true); });
    r.Add("SaveAS", [self](int) {
        std::wstring name = self->FirstLine();
        if (self->SaveDocAs(name, true)) self->FocusEditor();
    });
    r.Add("AutoSave", [self](int) { self->ToggleBackup(); });
    r.Add("SaveASPic", [self](int) { self->SaveAsPictures(); });
    r.Add("OutputMid", [self](int) { self->ExportMidi(); });
    r.Add("PrintFile", [self](int) { self->Print(); });
    r.AddArray("最近打开文件", [self](int index) { self->OpenRecentFile(index); });
    r.Add("ExitPro", [self](int) { self->Exit(); });
    r.Add("AboutMe", [self](int) { self->About(); });
    r.Add("HelpDoc", [self](int) { self->HelpDoc(); });
    MainHooks& hooks = form_.Hooks();
    hooks.updateRecentFiles = [self](const std::wstring& path) { self->UpdateRecentFiles(path); };
    hooks.saveAs = [self](const std::wstring& suggested) {
        std::wstring name = suggested;
        return self->SaveDocAs(name);
    };
}

}  // namespace

void RegisterFileCommands(MainWindow& form) {
    std::make_shared<FileCommands>(form)->Register();
}

}  // namespace tavolin
