#include "training/ReviewDeck.h"

#include "training/MemoryModel.h"

#include <algorithm>
#include <system_error>
#include <utility>
#include <vector>

namespace lexaro {

ReviewDeck::ReviewDeck(std::filesystem::path log, const ScheduleOptions& options)
    : m_Log(std::move(log)), m_History(options) {}

ReviewLogReading ReviewDeck::Load() {
    m_History = ReviewHistory(m_History.Options());
    ClearVectorState();
    std::error_code ec;
    if (const std::uintmax_t size = std::filesystem::file_size(m_Log, ec); !ec) {
        // Every card needs a line of at least this many bytes; the bound is only address space until used.
        constexpr std::uintmax_t kShortestLine = 42;
        constexpr std::uintmax_t kMostReserved = 1 << 22;
        m_History.ReserveCards(static_cast<size_t>(std::min(size / kShortestLine, kMostReserved)));
    }
    // Events are replayed a batch at a time, which lets the history fetch the memory of their cards ahead.
    const ReviewLogReading reading = ReadReviewLogInBatches(
        m_Log, [this](ReviewEvent* events, size_t count) { m_History.ApplyInTurn(events, count, false); });
    if (reading.failed) {
        // A log that broke off while being read would leave a history that looks complete.
        m_History = ReviewHistory(m_History.Options());
    }
    m_History.SettleDueDays();
    return reading;
}

bool ReviewDeck::Write(const ReviewEvent& event, bool durable) {
    if (!AppendReviewEvent(m_Log, event, durable)) {
        return false;
    }
    m_History.Apply(event);
    return true;
}

bool ReviewDeck::Rate(std::string_view term, bool reverse, Rating rating, const ReviewTime& time) {
    return Write({time, ReviewEventKind::Rating, std::string(term), reverse, rating, {}}, true);
}

bool ReviewDeck::Undo(std::string_view term, bool reverse, const ReviewTime& time) {
    if (!m_History.Find(term, reverse)) {
        return true;
    }
    return Write({time, ReviewEventKind::Undo, std::string(term), reverse, Rating::Good, {}}, true);
}

bool ReviewDeck::RecordLookup(std::string_view term, const ReviewTime& time) {
    std::error_code ec;
    if (!std::filesystem::exists(m_Log, ec)) {
        return true;
    }
    return Write({time, ReviewEventKind::Lookup, std::string(term), false, Rating::Good, {}}, false);
}

bool ReviewDeck::RecordRename(std::string_view from, std::string_view to, const ReviewTime& time) {
    if (from == to || (!m_History.Find(from, false) && !m_History.Find(from, true))) {
        return true;
    }
    return Write({time, ReviewEventKind::Rename, std::string(from), false, Rating::Good, std::string(to)}, true);
}

std::optional<std::filesystem::path> ReviewDeck::Reset(const LocalTime& now) {
    std::optional<std::filesystem::path> backup = BackUpReviewLog(m_Log, now);
    if (backup) {
        m_History = ReviewHistory(m_History.Options());
    }
    return backup;
}

} // namespace lexaro
