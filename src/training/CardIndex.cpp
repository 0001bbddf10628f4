#include "training/CardIndex.h"

#include <cstring>

namespace lexaro {

namespace {

__extension__ using Wide = unsigned __int128;

constexpr std::uint64_t kSeed = 0xa0761d6478bd642fULL;
constexpr std::uint64_t kOdd = 0xe7037ed1a0b428dbULL;

// Both halves of the full product, folded: every input bit reaches most output bits.
std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
    const Wide product = static_cast<Wide>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}

std::uint64_t Load8(const char* p) {
    std::uint64_t value = 0;
    std::memcpy(&value, p, sizeof value);
    return value;
}

std::uint64_t Load4(const char* p) {
    std::uint32_t value = 0;
    std::memcpy(&value, p, sizeof value);
    return value;
}

} // namespace

std::uint64_t CardIndex::HashOf(std::string_view term) {
    const char* p = term.data();
    std::size_t left = term.size();
    std::uint64_t state = kSeed ^ term.size();
    // Longer terms: sixteen bytes at a time, the last up to sixteen read from the end (overlapping when shorter).
    while (left > 16) {
        state = Mix(Load8(p) ^ kOdd, Load8(p + 8) ^ state);
        p += 16;
        left -= 16;
    }
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    if (left >= 8) {
        a = Load8(p);
        b = Load8(p + left - 8);
    } else if (left >= 4) {
        a = Load4(p);
        b = Load4(p + left - 4);
    } else if (left > 0) {
        const auto byte = [p](std::size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])); };
        a = byte(0) << 16 | byte(left / 2) << 8 | byte(left - 1);
    }
    return Mix(Mix(a ^ kOdd, b ^ state) ^ kSeed, kOdd ^ term.size());
}

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
