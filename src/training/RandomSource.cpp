#include "training/RandomSource.h"

#include <ctime>

namespace lexaro {

int Draw(RandomSource& random, int bound) {
    if (bound < 1) {
        return 0;
    }
    const int value = random.Below(bound) % bound;
    return value < 0 ? value + bound : value;
}

SeededRandom SeededRandom::FromTime() {
    return SeededRandom(static_cast<std::uint32_t>(std::time(nullptr)));
}

int SeededRandom::Below(int bound) {
    if (bound < 1) {
        return 0;
    }
    std::uniform_int_distribution<int> distribution(0, bound - 1);
    return distribution(m_Engine);
}

} // namespace lexaro
