#include "training/CardIndex.h"

namespace lexaro {

namespace {

std::uint64_t HashOf(std::string_view term) {
    return std::hash<std::string_view>{}(term);
}

} // namespace

std::size_t CardIndex::Find(std::string_view term, const std::function<std::string_view(std::size_t)>& termOf) const {
    if (m_Slots.empty()) {
        return kNone;
    }
    const std::uint64_t hash = HashOf(term);
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

std::size_t CardIndex::FindOrAdd(std::string_view term, std::size_t card,
                                 const std::function<std::string_view(std::size_t)>& termOf, bool& found) {
    if (const std::size_t known = Find(term, termOf); known != kNone) {
        found = true;
        return known;
    }
    found = false;
    if ((m_Count + 1) * 2 > m_Slots.size()) {
        Grow();
    }
    const std::uint64_t hash = HashOf(term);
    const std::size_t mask = m_Slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_Slots[i].card != 0) {
        i = (i + 1) & mask;
    }
    m_Slots[i] = {static_cast<std::uint32_t>(hash >> 32), static_cast<std::uint32_t>(card + 1)};
    if (m_Hashes.size() <= card) {
        m_Hashes.resize(card + 1);
    }
    m_Hashes[card] = hash;
    ++m_Count;
    return card;
}

void CardIndex::Grow() {
    std::vector<Slot> old = std::move(m_Slots);
    m_Slots.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
    const std::size_t mask = m_Slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.card == 0) {
            continue;
        }
        std::size_t i = m_Hashes[slot.card - 1] & mask;
        while (m_Slots[i].card != 0) {
            i = (i + 1) & mask;
        }
        m_Slots[i] = slot;
    }
}

} // namespace lexaro
