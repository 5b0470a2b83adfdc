// A map from short strings to values for tables built once and then looked
// up many times, such as the lexicon's index of WordNet's lemmas. The
// entries stand in one array in the order they were added (words read from
// a sorted file stay near each other in memory), and an open-addressing
// table of their hashes finds them: a look-up mostly touches one slot and
// one entry, where a node-based map follows a bucket, a chain and a node.
// A reference to a value stays valid until the next insertion.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vlq {

template <typename T>
class StringMap {
public:
    using value_type = std::pair<std::string, T>;
    using iterator = value_type*;             // nullptr is end()
    using const_iterator = const value_type*;

    void reserve(std::size_t count) {
        entries_.reserve(count);
        if (tooFull(count)) rehash(count);
    }
    std::size_t size() const { return entries_.size(); }

    iterator end() { return nullptr; }
    const_iterator end() const { return nullptr; }
    iterator find(std::string_view key) { return const_cast<iterator>(std::as_const(*this).find(key)); }
    const_iterator find(std::string_view key) const {
        if (slots_.empty()) return nullptr;
        const std::size_t hash = std::hash<std::string_view>{}(key);
        const std::size_t at = slotOf(key, hash);
        return slots_[at] ? &entries_[(slots_[at] & kIndexMask) - 1] : nullptr;
    }
    std::size_t count(std::string_view key) const { return find(key) ? 1 : 0; }
    const T& at(std::string_view key) const {
        const auto it = find(key);
        if (!it) throw std::out_of_range("StringMap::at");
        return it->second;
    }
    // The value of `key`, added with a default value when missing.
    T& operator[](std::string_view key) {
        if (auto it = find(key)) return it->second;
        if (tooFull(entries_.size() + 1)) rehash(entries_.size() + 1);
        const std::size_t hash = std::hash<std::string_view>{}(key);
        const std::size_t at = slotOf(key, hash);
        entries_.emplace_back(std::string(key), T{});
        slots_[at] = tagOf(hash) | entries_.size();
        return entries_.back().second;
    }

private:
    // A slot holds the high half of its key's hash over the entry's index plus one; 0 is empty.
    static constexpr std::uint64_t kIndexMask = 0xffffffffu;
    std::vector<value_type> entries_;
    std::vector<std::uint64_t> slots_; // a power of two of them

    static std::uint64_t tagOf(std::size_t hash) { return static_cast<std::uint64_t>(hash) & ~kIndexMask; }
    bool tooFull(std::size_t count) const { return count * 10 >= slots_.size() * 7; }

    // The slot holding `key`, or the empty slot where it would go.
    std::size_t slotOf(std::string_view key, std::size_t hash) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const std::uint64_t slot = slots_[at];
            if (!slot || ((slot & ~kIndexMask) == tagOf(hash) && entries_[(slot & kIndexMask) - 1].first == key))
                return at;
        }
    }

    void rehash(std::size_t count) {
        std::size_t size = 16;
        while (count * 10 >= size * 7) size *= 2;
        slots_.assign(size, 0);
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const std::size_t hash = std::hash<std::string_view>{}(entries_[i].first);
            slots_[slotOf(entries_[i].first, hash)] = tagOf(hash) | (i + 1);
        }
    }
};

} // namespace vlq
