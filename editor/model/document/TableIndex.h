#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace notaline {

// Where each value of a font or colour table first stands, so that finding a value does not scan
// the table. The tables are plain vectors that loading replaces and tests set directly: the index
// remembers what it was built from and builds itself again when the table no longer looks so.
template <class Key>
class TableIndex {
public:
    // The first of the table's `count` entries whose key is `key`.
    template <class Table, class KeyOf>
    std::optional<int16_t> Find(const Table& table, size_t count, const Key& key, KeyOf keyOf) {
        count = std::min(count, table.size());
        if (!Matches(table, count, keyOf)) Build(table, count, keyOf);
        const auto it = first_.find(key);
        if (it == first_.end()) return std::nullopt;
        // An entry changed in place without a new last one: build again and look once more.
        if (!(keyOf(table[static_cast<size_t>(it->second)]) == key)) {
            Build(table, count, keyOf);
            const auto again = first_.find(key);
            if (again == first_.end()) return std::nullopt;
            return again->second;
        }
        return it->second;
    }

    // The table's last entry was just appended.
    template <class Table, class KeyOf>
    void Appended(const Table& table, KeyOf keyOf) {
        if (count_ == SIZE_MAX || count_ + 1 != table.size() || (count_ > 0 && !(keyOf(table[count_ - 1]) == last_))) {
            count_ = SIZE_MAX;  // not what was indexed: built again at the next look-up
            return;
        }
        const Key& key = keyOf(table.back());
        first_.emplace(key, static_cast<int16_t>(count_));
        count_ = table.size();
        data_ = table.data();
        last_ = key;
    }

private:
    template <class Table, class KeyOf>
    bool Matches(const Table& table, size_t count, KeyOf keyOf) const {
        if (count != count_ || (count > 0 && table.data() != data_)) return false;
        return count == 0 || keyOf(table[count - 1]) == last_;
    }

    template <class Table, class KeyOf>
    void Build(const Table& table, size_t count, KeyOf keyOf) {
        first_.clear();
        for (size_t i = 0; i < count; ++i) first_.emplace(keyOf(table[i]), static_cast<int16_t>(i));
        count_ = count;
        data_ = table.data();
        if (count > 0) last_ = keyOf(table[count - 1]);
    }

    std::unordered_map<Key, int16_t> first_;
    size_t count_ = SIZE_MAX;  // entries indexed; none built yet
    const void* data_ = nullptr;
    Key last_{};
};

}  // namespace notaline
