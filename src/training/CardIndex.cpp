#include "training/CardIndex.h"

namespace lexaro {

void CardIndex::Add(std::uint64_t hash, std::size_t card) {
    if ((m_Count + 1) * 2 > m_Slots.size()) {
        Grow();
    }
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
