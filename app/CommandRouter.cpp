#include "CommandRouter.h"

namespace tavolin {

void CommandRouter::Add(std::string_view name, Handler handler, int index) {
    rows_[{std::string(name), index}] = std::move(handler);
}

void CommandRouter::AddArray(std::string_view name, Handler handler) {
    arrays_[std::string(name)] = std::move(handler);
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
