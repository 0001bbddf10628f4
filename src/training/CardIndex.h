#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace lexaro {

// The cards of one direction by term: an open-addressing table of (hash, card number) in one array, so that
// a look-up of a term that has no card (most entries of a large dictionary) touches a single slot. Cards are
// never removed; termOf gives a card's term for the comparison on a hash match.
class CardIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    std::size_t Find(std::string_view term, const std::function<std::string_view(std::size_t)>& termOf) const;
    // The card of the term, or card added for it when there is none; found tells which.
    std::size_t FindOrAdd(std::string_view term, std::size_t card,
                          const std::function<std::string_view(std::size_t)>& termOf, bool& found);

private:
    struct Slot {
        std::uint32_t tag = 0;
        // Card number + 1; 0 for an empty slot.
        std::uint32_t card = 0;
    };
    void Grow();

    std::vector<Slot> m_Slots;
    std::vector<std::uint64_t> m_Hashes;
    std::size_t m_Count = 0;
};

} // namespace lexaro
