#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "CommandRouter.h"
#include "FormTable.h"
#include "MenuTable.h"
#include "NotationTable.h"

namespace tavolin {
namespace {

// The names the command modules register, read from their sources: the Windows modules do not
// build here, and a name misspelt in a registration must fail this suite all the same.
std::set<std::string> RegisteredNames() {
    static const std::regex registration(R"((?:\.|->)(?:Add|AddArray)\(\s*"([^"]+)\")");
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(JP_APP_SOURCE)) {
        if (entry.path().extension() != ".cpp") continue;
        std::ifstream file(entry.path());
        std::stringstream text;
        text << file.rdbuf();
        const std::string source = text.str();
        for (std::sregex_iterator m(source.begin(), source.end(), registration), end; m != end; ++m)
            names.insert((*m)[1].str());
    }
    // The notation commands register every row of their table by its menu.
    for (const NotationRow& row : NotationRows()) names.insert(row.Menu);
    return names;
}

// Sources left without a command on purpose: submenus, separators, and controls that only
// hold or show others.
bool InertControl(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame:
        case ControlKind::RichText:
        case ControlKind::Splitter:
        case ControlKind::Picture:
        case ControlKind::Editor:
        case ControlKind::StatusBar: return true;
        default: return false;
    }
}

bool IsSubmenu(const MenuItem& item) {
    for (const MenuItem& other : MenuItems())
        if (*item.name && item.name == std::string_view(other.parent)) return true;
    return false;
}

TEST(CommandCoverage, EveryRegisteredNameIsATableSource) {
    const auto names = RegisteredNames();
    ASSERT_GT(names.size(), 40u);
    for (const std::string& name : names)
        EXPECT_TRUE(IsKnownSource(name, -1) || IsKnownSource(name, kAnyIndex)) << name;
}

TEST(CommandCoverage, EveryMenuItemControlAndNotationRowHasAHandler) {
    const auto names = RegisteredNames();
    for (const MenuItem& item : MenuItems()) {
        if (!*item.name || std::wstring_view(item.caption) == L"-" || IsSubmenu(item)) continue;
        EXPECT_TRUE(names.count(item.name)) << "menu item " << item.name << " " << item.index;
    }
    for (const FormControl& c : FormControls()) {
        if (!InertControl(c.kind)) {
            EXPECT_TRUE(names.count(c.name)) << "control " << c.name << " " << c.index;
        }
    }
    for (const NotationRow& row : NotationRows()) {
        EXPECT_TRUE(IsKnownSource(row.Menu, row.Index)) << "notation row " << row.Menu << " " << row.Index;
        if (row.Kind == NotationKind::Menu) {
            EXPECT_NE(nullptr, FindNotationRow(row.Target, row.Code)) << row.Menu << " " << row.Index;
        }
    }
}

TEST(CommandRouter, RefusesNamesNoTableKnows) {
    const struct {
        const char* name;
        int index;  // kAnyIndex: registered for the whole array
        bool known;
    } rows[] = {
        {"OpenFile", -1, true},       {"OpenFlie", -1, false},
        {"OpenFile", 3, false},       {"HuXian", kAnyIndex, true},
        {"HuXain", kAnyIndex, false}, {"OpenFile", kAnyIndex, false},
        {"MunButton", 7, true},       {"", -1, false},
    };
    CommandRouter router;
    size_t refused = 0;
    for (const auto& r : rows) {
        const bool added = r.index == kAnyIndex ? router.AddArray(r.name, [](int) {})
                                                : router.Add(
                                                      r.name, [](int) {}, r.index);
        EXPECT_EQ(r.known, added) << r.name << " " << r.index;
        refused += !r.known;
        if (!r.known) {
            EXPECT_FALSE(router.Has(r.name, r.index < 0 ? 0 : r.index)) << r.name;
        }
    }
    EXPECT_EQ(refused, router.Refused().size());
}

}  // namespace
}  // namespace tavolin
