#pragma once

#include "training/ReviewHistory.h"
#include "training/ReviewLog.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace lexaro {

// A dictionary's review log and its replay, kept in step: every change is written to the log first and counts
// only once it is there. The desktop program and lexaro-cli both go through this.
class ReviewDeck {
public:
    ReviewDeck(std::filesystem::path log, const ScheduleOptions& options);

    // Reads the log (once, when the dictionary opens). What it found unreadable is in the reading.
    ReviewLogReading Load();
    const std::filesystem::path& LogPath() const { return m_Log; }
    const ReviewHistory& History() const { return m_History; }
    void SetOptions(const ScheduleOptions& options) { m_History.SetOptions(options); }

    // A rating is on the disk before it counts; false (errno set) when it could not be written.
    bool Rate(std::string_view term, bool reverse, Rating rating, const ReviewTime& time);
    // Takes back the card's latest rating.
    bool Undo(std::string_view term, bool reverse, const ReviewTime& time);
    // Recorded only in a log that exists; not waited for on the disk.
    bool RecordLookup(std::string_view term, const ReviewTime& time);
    // The history of a term follows it when Modify renames it; nothing is written for a term never rated.
    bool RecordRename(std::string_view from, std::string_view to, const ReviewTime& time);
    // Renames the log to a dated backup and starts afresh; the backup's path, or nothing (errno set).
    std::optional<std::filesystem::path> Reset(const LocalTime& now);

private:
    bool Write(const ReviewEvent& event, bool durable);

    std::filesystem::path m_Log;
    ReviewHistory m_History;
};

} // namespace lexaro
