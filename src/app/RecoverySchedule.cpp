#include "app/RecoverySchedule.h"

namespace lexaro {

std::chrono::milliseconds SteadyClock::Now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

RecoverySchedule::RecoverySchedule(std::chrono::milliseconds interval)
    : m_Interval(interval.count() > 0 ? interval : kRecoveryInterval) {}

void RecoverySchedule::Changed(std::chrono::milliseconds now) {
    if (!m_PendingSince) {
        m_PendingSince = now;
    }
}

void RecoverySchedule::Written() {
    m_PendingSince.reset();
}

std::optional<std::chrono::milliseconds> RecoverySchedule::DueIn(std::chrono::milliseconds now) const {
    if (!m_PendingSince) {
        return std::nullopt;
    }
    const auto due = *m_PendingSince + m_Interval;
    return due > now ? due - now : std::chrono::milliseconds{0};
}

bool RecoverySchedule::Due(std::chrono::milliseconds now) const {
    const auto left = DueIn(now);
    return left && left->count() == 0;
}

} // namespace lexaro
