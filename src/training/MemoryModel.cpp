#include "training/MemoryModel.h"

#include <algorithm>
#include <cmath>

namespace lexaro {

namespace {

constexpr std::array<double, 21> kW{0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                    0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                    1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
constexpr double kMinStability = 0.001;
constexpr double kMaxStability = 36500;

double Decay() {
    return -kW[20];
}

// Constants of the formulas, worked out once: replaying a long log calls the model millions of times.
double Factor() {
    static const double factor = std::pow(0.9, 1.0 / Decay()) - 1.0;
    return factor;
}

// x^y for x > 0 as e^(y ln x): the model's powers have small exponents and moderate bases, for which this is as
// exact as pow to about 1e-15 and takes three quarters of its time.
double Power(double x, double y) {
    return std::exp(y * std::log(x));
}

// Of each grade, worked out once: every rating after the first takes that of Easy, every first rating its own.
double InitialDifficulty(int grade) {
    static const std::array<double, 4> difficulties = [] {
        std::array<double, 4> values{};
        for (int g = 1; g <= 4; ++g) {
            values[static_cast<size_t>(g - 1)] = kW[4] - std::exp(kW[5] * (g - 1)) + 1.0;
        }
        return values;
    }();
    return difficulties[static_cast<size_t>(grade - 1)];
}

double ClampDifficulty(double difficulty) {
    return std::clamp(difficulty, 1.0, 10.0);
}

// e^(w17 * (G - 3 + w18)) of each grade.
double SameDayGrowth(int grade) {
    static const std::array<double, 4> growth = [] {
        std::array<double, 4> values{};
        for (int g = 1; g <= 4; ++g) {
            values[static_cast<size_t>(g - 1)] = std::exp(kW[17] * (g - 3 + kW[18]));
        }
        return values;
    }();
    return growth[static_cast<size_t>(grade - 1)];
}

// decline is the stability's power S^(-w19), shared by the grades.
double SameDayStability(const MemoryState& state, int grade, double decline) {
    double increase = decline * SameDayGrowth(grade);
    if (grade >= 2) {
        increase = std::max(increase, 1.0);
    }
    return state.stability * increase;
}

double ForgottenStability(const MemoryState& state, double recall) {
    const double longTerm = kW[11] * Power(state.difficulty, -kW[12]) * (Power(state.stability + 1.0, kW[13]) - 1.0) *
                            std::exp(kW[14] * (1.0 - recall));
    static const double shortTermLimit = std::exp(kW[17] * kW[18]);
    return std::min(longTerm, state.stability / shortTermLimit);
}

// The part of the growth of a recalled memory that all three grades share: the stabilities after Hard, Good and
// Easy are worked out from one evaluation of it.
double RecallGrowth(const MemoryState& state, double recall) {
    static const double growth = std::exp(kW[8]);
    return growth * (11.0 - state.difficulty) * Power(state.stability, -kW[9]) *
           (std::exp(kW[10] * (1.0 - recall)) - 1.0);
}

double RecalledStability(const MemoryState& state, int grade, double shared) {
    const double hardPenalty = grade == 2 ? kW[15] : 1.0;
    const double easyBonus = grade == 4 ? kW[16] : 1.0;
    return state.stability * (1.0 + shared * hardPenalty * easyBonus);
}

double ClampStability(double stability) {
    return std::clamp(stability, kMinStability, kMaxStability);
}

// r^(1/decay) - 1 for the desired retention r; one pow per change of the options rather than per card.
double RetentionTerm(double retention) {
    thread_local double lastRetention = -1;
    thread_local double lastTerm = 0;
    if (retention != lastRetention) {
        lastTerm = std::pow(retention, 1.0 / Decay()) - 1.0;
        lastRetention = retention;
    }
    return lastTerm;
}

double NextDifficulty(double difficulty, int grade) {
    const double step = -kW[6] * (grade - 3);
    const double damped = difficulty + step * (10.0 - difficulty) / 9.0;
    return ClampDifficulty(kW[7] * InitialDifficulty(4) + (1.0 - kW[7]) * damped);
}

} // namespace

// Code of the window toolkit may leave the upper halves of the AVX registers in use. Until they are cleared,
// every SSE instruction pays for merging them, which made the model's pow and exp three times slower while a
// long log was replayed in the desktop program.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
namespace {
__attribute__((target("avx"))) void ClearUpperVectorHalves() {
    __builtin_ia32_vzeroupper();
}
} // namespace
void ClearVectorState() {
    if (__builtin_cpu_supports("avx")) {
        ClearUpperVectorHalves();
    }
}
#else
void ClearVectorState() {}
#endif

double Retrievability(double days, double stability) {
    return Power(1.0 + Factor() * days / stability, Decay());
}

MemoryState FirstReview(Rating rating) {
    const int grade = static_cast<int>(rating);
    return {std::max(kW[grade - 1], 0.1), ClampDifficulty(InitialDifficulty(grade))};
}

MemoryState NextReview(const MemoryState& state, Rating rating, int days, GradeStabilities* offered) {
    const int grade = static_cast<int>(rating);
    double stability = 0;
    if (days <= 0) {
        const double decline = Power(state.stability, -kW[19]);
        stability = SameDayStability(state, grade, decline);
        for (int g = 2; g <= 4 && offered != nullptr; ++g) {
            (*offered)[static_cast<size_t>(g - 2)] = ClampStability(SameDayStability(state, g, decline));
        }
    } else {
        const double recall = Retrievability(days, state.stability);
        if (grade == 1) {
            stability = ForgottenStability(state, recall);
        } else {
            const double shared = RecallGrowth(state, recall);
            stability = RecalledStability(state, grade, shared);
            for (int g = 2; g <= 4 && offered != nullptr; ++g) {
                (*offered)[static_cast<size_t>(g - 2)] = ClampStability(RecalledStability(state, g, shared));
            }
        }
    }
    return {ClampStability(stability), NextDifficulty(state.difficulty, grade)};
}

int IntervalDays(double stability, const ScheduleOptions& options) {
    const double retention = std::clamp(options.desiredRetention, kMinRetention, kMaxRetention);
    const double days = stability / Factor() * RetentionTerm(retention);
    const double rounded = std::round(days);
    const int maximum = std::max(options.maximumInterval, 1);
    if (!(rounded < maximum)) {
        return maximum;
    }
    return std::max(static_cast<int>(rounded), 1);
}

GradeStabilities StabilitiesAfter(const MemoryState* before, int days) {
    GradeStabilities stabilities{};
    if (before == nullptr) {
        for (int grade = 2; grade <= 4; ++grade) {
            stabilities[static_cast<size_t>(grade - 2)] = FirstReview(static_cast<Rating>(grade)).stability;
        }
    } else {
        NextReview(*before, Rating::Good, days, &stabilities);
    }
    return stabilities;
}

OfferedIntervals OfferIntervals(const GradeStabilities& stabilities, const ScheduleOptions& options) {
    int hard = IntervalDays(stabilities[0], options);
    int good = IntervalDays(stabilities[1], options);
    int easy = IntervalDays(stabilities[2], options);
    hard = std::min(hard, good);
    good = std::max(good, hard + 1);
    easy = std::max(easy, good + 1);
    return {0, hard, good, easy};
}

OfferedIntervals OfferIntervals(const MemoryState* before, int days, const ScheduleOptions& options) {
    return OfferIntervals(StabilitiesAfter(before, days), options);
}

} // namespace lexaro
