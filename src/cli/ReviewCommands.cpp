#include "cli/ReviewCommands.h"

#include "cli/DictionaryInput.h"
#include "engine/Clock.h"
#include "table/SafeFile.h"
#include "training/ReviewDeck.h"
#include "training/ReviewDeckLoading.h"
#include "training/ReviewQueue.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <ostream>
#include <sys/stat.h>
#include <vector>

namespace lexaro::cli {

namespace {

constexpr std::array<OptionDefinition, 2> kReviewOptions{{{"at", true}, {"reverse", false}}};
constexpr std::array<OptionDefinition, 2> kDueOptions{{{"at", true}, {"all", false}}};

std::optional<Rating> ParseRating(std::string_view text) {
    static constexpr std::array<std::string_view, 4> kNames{"again", "hard", "good", "easy"};
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '4') {
        return static_cast<Rating>(text[0] - '0');
    }
    for (size_t i = 0; i < kNames.size(); ++i) {
        if (text == kNames[i]) {
            return static_cast<Rating>(i + 1);
        }
    }
    return std::nullopt;
}

// The moment of "--at", or now.
std::optional<ReviewTime> MomentOption(const CommandLine& line) {
    if (const std::optional<std::string> at = line.Value("at")) {
        const std::optional<LocalTime> local = ParseLocalTime(*at);
        return local ? std::optional<ReviewTime>(WithSystemOffset(*local)) : std::nullopt;
    }
    return WithSystemOffset(SystemClock().Now());
}

std::string CardLine(const ReviewCard& card, int day) {
    const CardSchedule& s = card.schedule;
    char figures[160];
    std::snprintf(figures, sizeof figures, "%.6f\t%.6f\t%.6f\t%d\t%d", s.state.stability, s.state.difficulty,
                  Retrievability(std::max(day - s.lastDay, 0), s.state.stability), s.reviews, s.lapses);
    return EscapeLogField(card.term) + '\t' + (card.reverse ? "reverse" : "forward") + '\t' + ReviewDayDate(s.dueDay) +
           '\t' + figures + '\n';
}

// The dictionary and its review log as the program reads them; an empty text when both could be read.
struct Opened {
    ClassTable entries;
    std::unique_ptr<ReviewDeck> deck;
};

std::string Open(const std::filesystem::path& dictionary, const Environment& environment, Opened& opened,
                 std::ostream& err, std::string_view command) {
    struct stat status {};
    if (::stat(dictionary.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return "cannot read the dictionary " + Quoted(dictionary);
    }
    // The log is read while the dictionary is.
    ReviewDeckLoading loading(ReviewLogPath(dictionary, ReviewLogFolder(environment)), ScheduleOptions{});
    if (!opened.entries.LoadDocumentFile(dictionary, ClassTable::DocumentAccess::Map)) {
        return "cannot read the dictionary " + Quoted(dictionary);
    }
    ReviewLogReading reading;
    opened.deck = loading.Take(reading);
    if (reading.failed) {
        return "cannot read the review log " + Quoted(opened.deck->LogPath()) + ": " + SystemReason(reading.error);
    }
    const int skipped = reading.unreadableLines + (reading.tornLastLine ? 1 : 0);
    if (skipped > 0) {
        err << "lexaro-cli " << command << ": " << skipped << " unreadable line(s) of the review log "
            << Quoted(opened.deck->LogPath()) << " skipped\n";
    }
    return {};
}

bool HasTerm(const ClassTable& entries, std::string_view term) {
    for (int row = 0; row < entries.RowCount(); ++row) {
        if (entries.CellView(0, row) == term) {
            return true;
        }
    }
    return false;
}

} // namespace

ReviewCommand::ReviewCommand(Environment environment) : m_Environment(std::move(environment)) {}

std::string_view ReviewCommand::Summary() const {
    return "record a review of a term";
}

std::string_view ReviewCommand::Help() const {
    return "Usage: lexaro-cli review DICT TERM RATING [options]\n"
           "\n"
           "Records one review of the card TERM (an entry's term, exactly) in the review log of\n"
           "the dictionary DICT, as the review window does, and writes the card's new state as\n"
           "'lexaro-cli due' does. RATING is 1-4 or again, hard, good, easy. The log is\n"
           "\"words.lxr\" beside \"words.lxd\", or in the user's data folder when the\n"
           "dictionary's folder cannot be written. The schedule uses the default options\n"
           "(retention 0.90, maximum interval 36500 days).\n"
           "\n"
           "Options:\n"
           "  --at \"YYYY-MM-DD HH:MM:SS\"   the local time of the review (default now)\n"
           "  --reverse                   the card that asks the explanation\n"
           "  -h, --help                  show this help\n"
           "\n"
           "Exit status: 0 recorded, 1 no entry has the term, 2 usage error, unreadable\n"
           "input or a log that cannot be written.\n";
}

std::span<const OptionDefinition> ReviewCommand::Options() const {
    return kReviewOptions;
}

int ReviewCommand::Execute(const CommandLine& line, CliStreams& io) {
    const std::string& term = line.Positionals()[1];
    const std::optional<Rating> rating = ParseRating(line.Positionals()[2]);
    if (!rating) {
        return UsageError(io, "RATING is 1, 2, 3, 4, again, hard, good or easy");
    }
    const std::optional<ReviewTime> moment = MomentOption(line);
    if (!moment) {
        return UsageError(io, "--at takes a local time \"YYYY-MM-DD HH:MM:SS\"");
    }
    Opened opened;
    if (const std::string problem = Open(line.Positionals()[0], m_Environment, opened, io.err, Name());
        !problem.empty()) {
        return Failure(io, problem);
    }
    if (!HasTerm(opened.entries, term)) {
        io.err << "lexaro-cli review: no entry has the term '" << term << "'\n";
        return kExitNotFound;
    }
    const bool reverse = line.Has("reverse");
    if (!opened.deck->Rate(term, reverse, *rating, *moment)) {
        return Failure(io,
                       "cannot write the review log " + Quoted(opened.deck->LogPath()) + ": " + SystemReason(errno));
    }
    io.out << CardLine(*opened.deck->History().Find(term, reverse), ReviewDay(moment->local));
    return kExitSuccess;
}

DueCommand::DueCommand(Environment environment) : m_Environment(std::move(environment)) {}

std::string_view DueCommand::Summary() const {
    return "list the cards due for review";
}

std::string_view DueCommand::Help() const {
    return "Usage: lexaro-cli due DICT [options]\n"
           "\n"
           "Lists the cards of the dictionary DICT that are due for review at the given time,\n"
           "one line each, fields separated by a tab: term (tab, line breaks and backslash\n"
           "written as \\t, \\n, \\r and \\\\), direction (forward or reverse), due day\n"
           "(YYYY-MM-DD), stability, difficulty, retrievability at that time (with the days\n"
           "counted in review days, which start at 04:00), number of reviews, number of lapses\n"
           "(Again after the first review). Sorted by due day, then term. Cards whose term\n"
           "the dictionary no longer has are listed only with --all.\n"
           "\n"
           "Options:\n"
           "  --at \"YYYY-MM-DD HH:MM:SS\"   the local time (default now)\n"
           "  --all                       every card that has a review, due or not\n"
           "  -h, --help                  show this help\n"
           "\n"
           "Exit status: 0 listed, 1 nothing to list, 2 usage error or unreadable input.\n";
}

std::span<const OptionDefinition> DueCommand::Options() const {
    return kDueOptions;
}

int DueCommand::Execute(const CommandLine& line, CliStreams& io) {
    const std::optional<ReviewTime> moment = MomentOption(line);
    if (!moment) {
        return UsageError(io, "--at takes a local time \"YYYY-MM-DD HH:MM:SS\"");
    }
    Opened opened;
    if (const std::string problem = Open(line.Positionals()[0], m_Environment, opened, io.err, Name());
        !problem.empty()) {
        return Failure(io, problem);
    }
    const int day = ReviewDay(moment->local);
    const ReviewHistory& history = opened.deck->History();
    std::vector<const ReviewCard*> listed;
    if (line.Has("all")) {
        for (const ReviewCard& card : history.Cards()) {
            if (!card.records.empty()) {
                listed.push_back(&card);
            }
        }
    } else {
        // The due cards of both directions whose term the dictionary has, as the review finds them.
        const ReviewQueue queue = BuildReviewQueue(opened.entries, history, {0, true}, day);
        for (int i = 0; i < queue.dueCount; ++i) {
            const QueuedCard& due = queue.cards[static_cast<size_t>(i)];
            listed.push_back(history.Find(opened.entries.CellView(0, due.entryRow), due.reverse));
        }
    }
    std::sort(listed.begin(), listed.end(), [](const ReviewCard* a, const ReviewCard* b) {
        if (a->schedule.dueDay != b->schedule.dueDay) {
            return a->schedule.dueDay < b->schedule.dueDay;
        }
        return a->term != b->term ? a->term < b->term : a->reverse < b->reverse;
    });
    for (const ReviewCard* card : listed) {
        io.out << CardLine(*card, day);
    }
    return listed.empty() ? kExitNotFound : kExitSuccess;
}

} // namespace lexaro::cli
