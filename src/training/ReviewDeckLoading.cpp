#include "training/ReviewDeckLoading.h"

#include <system_error>
#include <utility>

namespace lexaro {

ReviewDeckLoading::ReviewDeckLoading(const std::filesystem::path& log, const ScheduleOptions& options)
    : m_Deck(std::make_unique<ReviewDeck>(log, options)) {
    try {
        m_Thread = std::thread([this] { m_Reading = m_Deck->Load(); });
    } catch (const std::system_error&) {
        // No thread to be had: the log is read when it is taken.
        m_Reading = m_Deck->Load();
    }
}

ReviewDeckLoading::~ReviewDeckLoading() {
    Join();
}

void ReviewDeckLoading::Join() {
    if (m_Thread.joinable()) {
        m_Thread.join();
    }
}

std::unique_ptr<ReviewDeck> ReviewDeckLoading::Take(ReviewLogReading& reading) {
    Join();
    reading = m_Reading;
    return std::move(m_Deck);
}

} // namespace lexaro
