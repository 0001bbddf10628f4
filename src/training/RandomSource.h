#pragma once

#include <cstdint>
#include <random>

namespace lexaro {

// Where the training takes its random choices from: the question order, the position of the right answer
// among the offered ones, the wrong answers drawn from the dictionary and the masked hint positions. The
// windows hand one in (seeded with the time); tests hand in a scripted one so every draw is known.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A number in 0 .. bound - 1. Called only with bound >= 1.
    virtual int Below(int bound) = 0;
};

// A draw in 0 .. bound - 1 through the source; 0 without asking it when there is nothing to choose from
// (bound < 1). A source that answers outside the range is wrapped into it, so a draw is always an index.
int Draw(RandomSource& random, int bound);

// The program's generator: a Mersenne twister with a given seed.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : m_Engine(seed) {}
    // Seeded with the current time in seconds, as the quiz does when it opens.
    static SeededRandom FromTime();

    int Below(int bound) override;

private:
    std::mt19937 m_Engine;
};

} // namespace lexaro
