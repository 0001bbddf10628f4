// Reads arbitrary bytes as a review log and replays it. Every event read is written again as a line that
// reads back as the same event, and the replay's schedules stay within the model's bounds.

#include "FuzzSupport.h"
#include "training/ReviewHistory.h"
#include "training/ReviewLog.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

using lexaro::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    lexaro::ReviewHistory history;
    lexaro::ParseReviewLog(bytes, [&history](lexaro::ReviewEvent&& event) {
        const std::string line = lexaro::FormatEventLine(event);
        const auto back = lexaro::ParseEventLine(std::string_view(line).substr(0, line.size() - 1));
        Require(back.has_value() && lexaro::FormatEventLine(*back) == line, "an event line reads back");
        history.Apply(event);
    });
    for (const lexaro::ReviewCard& card : history.Cards()) {
        if (card.records.empty()) {
            continue;
        }
        const lexaro::CardSchedule& s = card.schedule;
        Require(s.state.stability >= 0.001 && s.state.stability <= 36500, "stability within bounds");
        Require(s.state.difficulty >= 1 && s.state.difficulty <= 10, "difficulty within bounds");
        Require(s.dueDay >= s.lastDay && s.reviews == static_cast<int>(card.records.size()), "schedule follows");
    }
    return 0;
}
