#pragma once

#include "training/MemoryModel.h"
#include "training/ReviewTime.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lexaro {

// The review log beside a dictionary ("words.lxr" for "words.lxd"): a line naming the format, then one line per
// event, appended as it happens. The cards' memory is the replay of this log; nothing else is stored.
inline constexpr std::string_view kReviewLogHeader = "LexaroReviewLog\t1";
inline constexpr std::string_view kReviewLogExtension = ".lxr";

enum class ReviewEventKind { Rating, Undo, Lookup, Rename };

// One line of the log. A card is a term (its exact bytes) in one direction. A rating has a card and a rating;
// an undo takes back the card's latest rating; a look-up names the term of the entry found; a rename moves
// the history of term to newTerm.
struct ReviewEvent {
    ReviewTime time;
    ReviewEventKind kind = ReviewEventKind::Rating;
    std::string term;
    bool reverse = false;
    Rating rating = Rating::Good;
    std::string newTerm;
};

// A term with backslash, tab, line feed and carriage return written as \\, \t, \n and \r.
std::string EscapeLogField(std::string_view text);
std::optional<std::string> UnescapeLogField(std::string_view text);

// The event's line with its line feed.
std::string FormatEventLine(const ReviewEvent& event);
// Nothing for a line that is no event of this format.
std::optional<ReviewEvent> ParseEventLine(std::string_view line);

// What reading a log found besides its events.
struct ReviewLogReading {
    bool exists = false;
    // Set when the file is there but could not be read; errno's reason in error.
    bool failed = false;
    int error = 0;
    // Lines that are no event (a wrong header counts as one), and a last line cut off without its line feed.
    int unreadableLines = 0;
    bool tornLastLine = false;
};

// Hands every event of the log bytes, in order, to visit. Never changes anything.
ReviewLogReading ParseReviewLog(std::string_view bytes, const std::function<void(ReviewEvent&&)>& visit);
ReviewLogReading ReadReviewLog(const std::filesystem::path& log, const std::function<void(ReviewEvent&&)>& visit);
// The same a batch of events at a time (in order, up to kReviewEventBatch): a long log is read into events that
// are used again for the next batch, and their replay can ask for the memory of a batch's cards ahead.
inline constexpr size_t kReviewEventBatch = 64;
ReviewLogReading ReadReviewLogInBatches(const std::filesystem::path& log,
                                        const std::function<void(ReviewEvent* events, size_t count)>& visit);

// Appends one event; a log that does not exist yet is created with its header. With durable set the line is on
// the disk (fsync) before this returns true. A torn last line left by a crash is closed first, so the new event
// starts on a line of its own. False, with errno set, when the line could not be written.
bool AppendReviewEvent(const std::filesystem::path& log, const ReviewEvent& event, bool durable);

// Renames the log to "words.lxr.YYYY-MM-DD_HHMMSS.bak" beside it (with "-2", "-3" ... when that exists). The
// backup's path, or nothing (errno set) when the log could not be renamed.
std::optional<std::filesystem::path> BackUpReviewLog(const std::filesystem::path& log, const LocalTime& now);

// Where a dictionary's log lives: beside it when its folder can be written, otherwise in fallbackFolder under
// the dictionary's file name with the log's extension.
std::filesystem::path ReviewLogPath(const std::filesystem::path& dictionary,
                                    const std::filesystem::path& fallbackFolder);

} // namespace lexaro
