#pragma once

#include "training/ReviewDeck.h"

#include <filesystem>
#include <memory>
#include <thread>

namespace lexaro {

// Reads a dictionary's review log on a thread of its own while the dictionary itself is read: with a long log,
// opening the dictionary then takes hardly longer than without one.
class ReviewDeckLoading {
public:
    ReviewDeckLoading(const std::filesystem::path& log, const ScheduleOptions& options);
    // Waits for the reading: a loading nobody took is thrown away.
    ~ReviewDeckLoading();
    ReviewDeckLoading(const ReviewDeckLoading&) = delete;
    ReviewDeckLoading& operator=(const ReviewDeckLoading&) = delete;

    const std::filesystem::path& LogPath() const { return m_Deck->LogPath(); }
    // Waits until the log is read; the deck and what reading it found. Once only.
    std::unique_ptr<ReviewDeck> Take(ReviewLogReading& reading);

private:
    void Join();

    std::unique_ptr<ReviewDeck> m_Deck;
    ReviewLogReading m_Reading;
    std::thread m_Thread;
};

} // namespace lexaro
