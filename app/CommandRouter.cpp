#include "CommandRouter.h"

#include "FormTable.h"
#include "MenuTable.h"
#include "NotationTable.h"

namespace tavolin {

namespace {

template <typename Rows, typename Name, typename Index>
bool Names(const Rows& rows, std::string_view name, int index, Name nameOf, Index indexOf) {
    for (const auto& row : rows)
        if (name == nameOf(row) && (index == kAnyIndex ? indexOf(row) >= 0 : indexOf(row) == index)) return true;
    return false;
}

}  // namespace

bool IsKnownSource(std::string_view name, int index) {
    if (name.empty()) return false;
    return Names(
               MenuItems(), name, index, [](const MenuItem& m) { return m.name; },
               [](const MenuItem& m) { return m.index; }) ||
           Names(
               FormControls(), name, index, [](const FormControl& c) { return c.name; },
               [](const FormControl& c) { return c.index; }) ||
           Names(
               NotationRows(), name, index, [](const NotationRow& r) { return r.Menu; },
               [](const NotationRow& r) { return r.Index; });
}

bool CommandRouter::Add(std::string_view name, Handler handler, int index) {
    if (!IsKnownSource(name, index)) {
        refused_.emplace_back(name);
        return false;
    }
    rows_[{std::string(name), index}] = std::move(handler);
    return true;
}

bool CommandRouter::AddArray(std::string_view name, Handler handler) {
    if (!IsKnownSource(name, kAnyIndex)) {
        refused_.emplace_back(name);
        return false;
    }
    arrays_[std::string(name)] = std::move(handler);
    return true;
}

const CommandRouter::Handler* CommandRouter::Find(std::string_view name, int index) const {
    if (auto row = rows_.find(std::pair{std::string(name), index}); row != rows_.end()) return &row->second;
    if (index >= 0)
        if (auto array = arrays_.find(name); array != arrays_.end()) return &array->second;
    return nullptr;
}

bool CommandRouter::Has(std::string_view name, int index) const {
    return Find(name, index) != nullptr;
}

bool CommandRouter::Run(std::string_view name, int index) const {
    const Handler* handler = Find(name, index);
    if (!handler || !*handler) return false;
    if (refuse_ && refuse_(name, index)) return true;
    (*handler)(index);
    return true;
}

}  // namespace tavolin
