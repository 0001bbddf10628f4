#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace lexaro {

// Asks for the memory at p to be fetched into the cache. The compiler's own prefetch counts as free of effects,
// so a loop that does nothing else is removed; the volatile instruction stays.
inline void FetchAhead(const void* p) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    asm volatile("prefetcht0 (%0)" : : "r"(p));
#else
    __builtin_prefetch(p);
#endif
}

// The same for memory read once, as a pass over every entry of a large dictionary reads the entries' cells: asked for
// without pushing out of the caches what is read again (the index and the cards).
inline void FetchOnce(const void* p) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    asm volatile("prefetchnta (%0)" : : "r"(p));
#else
    __builtin_prefetch(p, 0, 0);
#endif
}

// The cards of one direction by term: an open-addressing table of (hash, card number) in one array, so that
// a look-up of a term that has no card (most entries of a large dictionary) touches a single slot. Cards are
// never removed; termOf(card) gives a card's term for the comparison on a hash match.
class CardIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // A hash that takes a term eight bytes at a time: a large dictionary's terms are hashed a million at once.
    static std::uint64_t HashOf(std::string_view term);

    // hash is HashOf(term).
    template <typename TermOf>
    std::size_t Find(std::string_view term, std::uint64_t hash, const TermOf& termOf) const {
        if (m_Slots.empty()) {
            return kNone;
        }
        const auto tag = static_cast<std::uint32_t>(hash >> 32);
        const std::size_t mask = m_Slots.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = m_Slots[i];
            if (slot.card == 0) {
                return kNone;
            }
            if (slot.tag == tag && termOf(slot.card - 1) == term) {
                return slot.card - 1;
            }
        }
    }

    // Asks the memory of the slot a look-up of hash starts at to be fetched: long runs of look-ups fetch a few
    // slots ahead instead of waiting for each in turn.
    void Prefetch(std::uint64_t hash) const {
        if (!m_Slots.empty()) {
            FetchAhead(&m_Slots[hash & (m_Slots.size() - 1)]);
        }
    }

    // The card in the slot a look-up of hash starts at if its tag fits (most likely the card a look-up finds), for
    // fetching the card's memory ahead; kNone otherwise. The slot should have been fetched ahead before.
    std::size_t Likely(std::uint64_t hash) const {
        if (m_Slots.empty()) {
            return kNone;
        }
        const Slot& slot = m_Slots[hash & (m_Slots.size() - 1)];
        return slot.card != 0 && slot.tag == static_cast<std::uint32_t>(hash >> 32) ? slot.card - 1 : kNone;
    }

    // The hash of each card's term by card number (0 for cards of the other direction).
    const std::vector<std::uint64_t>& Hashes() const { return m_Hashes; }

    // The card of the term, or card added for it when there is none; found tells which.
    template <typename TermOf>
    std::size_t FindOrAdd(std::string_view term, std::uint64_t hash, std::size_t card, const TermOf& termOf,
                          bool& found) {
        if (const std::size_t known = Find(term, hash, termOf); known != kNone) {
            found = true;
            return known;
        }
        found = false;
        Add(hash, card);
        return card;
    }

private:
    struct Slot {
        std::uint32_t tag = 0;
        // Card number + 1; 0 for an empty slot.
        std::uint32_t card = 0;
    };
    void Add(std::uint64_t hash, std::size_t card);
    void Grow();

    std::vector<Slot> m_Slots;
    std::vector<std::uint64_t> m_Hashes;
    std::size_t m_Count = 0;
};

} // namespace lexaro
