#pragma once

#include <chrono>
#include <optional>

namespace lexaro {

// A clock that only moves forward, for intervals. The recovery schedule takes one so tests need not wait.
struct MonotonicClock {
    virtual ~MonotonicClock() = default;
    virtual std::chrono::milliseconds Now() const = 0;
};

struct SteadyClock : MonotonicClock {
    std::chrono::milliseconds Now() const override;
};

inline constexpr std::chrono::milliseconds kRecoveryInterval{60000};

// Decides when the recovery copy of an unsaved dictionary is written: one interval after the first change
// the copy does not hold yet. Changes made meanwhile ride along, so copies are at least an interval apart
// and no change waits longer than one interval to reach the disk.
class RecoverySchedule {
public:
    explicit RecoverySchedule(std::chrono::milliseconds interval = kRecoveryInterval);

    std::chrono::milliseconds Interval() const { return m_Interval; }
    // The dictionary changed at now and the copy does not hold the change yet.
    void Changed(std::chrono::milliseconds now);
    // The copy was written (or writing it was given up): it holds everything changed so far.
    void Written();
    bool Pending() const { return m_PendingSince.has_value(); }
    // Time left until the copy is due (zero when overdue); nothing when no change is pending.
    std::optional<std::chrono::milliseconds> DueIn(std::chrono::milliseconds now) const;
    bool Due(std::chrono::milliseconds now) const;

private:
    std::chrono::milliseconds m_Interval;
    std::optional<std::chrono::milliseconds> m_PendingSince;
};

} // namespace lexaro
