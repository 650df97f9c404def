#pragma once
// One table from a command's source to its handler. A source is a menu item or a control of
// the form, named as the form and menu tables name it ("OpenFile", "MunButton", "HuXian"), with
// its index in its array (-1 for a control or item without one).
//
// Adding commands (the way every command module works):
//   1. In your module file app/<Module>_win.cpp, fill its Register<Module>(CommandRouter&, MainWindow&)
//      with rows, e.g.
//          router.Add("OpenFile", [&form](int) { OpenDocDialog(form); });      // one item
//          router.AddArray("HuXian", [&form](int index) { HuXian_Click(form, index); });  // every index
//   2. The menu item or control must stand in MenuTable.cpp or FormTable.cpp (they all do).
// Nothing else changes: the main window routes every menu click, shortcut key and button click
// through here. A source without a row is inert (and its shortcut key goes on to the editor).
// A name that no menu, form or notation table knows is refused, so a misspelt row cannot
// leave a dead menu item; Refused() lists such names for the tests.
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavolin {

class CommandRouter {
public:
    using Handler = std::function<void(int index)>;

    // A handler of one item (index -1) or of one member of an array; false when refused.
    bool Add(std::string_view name, Handler handler, int index = -1);
    // A handler of every member of an array; a row for one index wins over it.
    bool AddArray(std::string_view name, Handler handler);
    const std::vector<std::string>& Refused() const { return refused_; }

    bool Has(std::string_view name, int index) const;
    // Runs the handler; false when the source has none.
    bool Run(std::string_view name, int index) const;
    // While set, a source it names is refused: Run does nothing and reports the source as used.
    void SetRefusal(std::function<bool(std::string_view name, int index)> refuse) { refuse_ = std::move(refuse); }

private:
    const Handler* Find(std::string_view name, int index) const;
    std::map<std::pair<std::string, int>, Handler, std::less<>> rows_;
    std::map<std::string, Handler, std::less<>> arrays_;
    std::function<bool(std::string_view, int)> refuse_;
    std::vector<std::string> refused_;
};

// Whether a menu, form or notation table names the source; kAnyIndex asks for any member of an array.
inline constexpr int kAnyIndex = -2;
bool IsKnownSource(std::string_view name, int index);

}  // namespace tavolin
