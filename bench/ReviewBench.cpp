// The review with the 1M dictionary and a log of 1,000,000 ratings over 200,000 cards: reading the log,
// today's queue, one rating written and flushed, and the statistics window (offscreen). The log is made once
// in the data folder (not beside the dictionary, which the other benchmarks open). Prints key=value figures:
// open_ms, open_with_log_ms, open_added_ms (wall, medians of five alternating openings of the dictionary
// without and with its log), log_ms, log_cpu_ms, queue_ms, queue_cpu_ms (built from nothing), count_ms,
// count_cpu_ms, window_queue_ms, window_queue_cpu_ms (the count on opening, then the review window's queue),
// queue_again_ms, queue_again_cpu_ms (after a session), rating_ms (median of 50), statistics_ms, statistics_cpu_ms.

#include "app/FileChooser.h"
#include "app/InterfaceTexts.h"
#include "app/Prompter.h"
#include "engine/Clock.h"
#include "table/ClassTable.h"
#include "training/ReviewDeck.h"
#include "training/ReviewDeckLoading.h"
#include "training/ReviewQueue.h"
#include "ui/training/StatisticsDlg.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sys/resource.h>
#include <vector>

using namespace lexaro;

namespace {

double CpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct Stopwatch {
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    double cpu = CpuMilliseconds();
    double Wall() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    double Cpu() const { return CpuMilliseconds() - cpu; }
};

constexpr int kCards = 200000;
constexpr int kReviewsPerCard = 5;

// Five ratings per card over the last year, every fifth entry a card; mostly Good, now and then Again or Easy.
void MakeLog(const ClassTable& entries, const std::filesystem::path& log, const LocalTime& now) {
    std::ofstream out(log, std::ios::binary | std::ios::trunc);
    out << kReviewLogHeader << '\n';
    const int today = ReviewDay(now);
    for (int card = 0; card < kCards; ++card) {
        const int row = (card * 5) % entries.RowCount();
        int day = today - 360 + card % 300;
        for (int r = 0; r < kReviewsPerCard; ++r) {
            ReviewEvent event;
            event.term = std::string(entries.CellView(0, row));
            const int draw = (card * 7 + r * 13) % 10;
            event.rating = draw == 0 ? Rating::Again : draw == 9 ? Rating::Easy : Rating::Good;
            std::string date = ReviewDayDate(std::min(day, today));
            event.time = {*ParseLocalTime(date + " 08:00:00"), 60};
            out << FormatEventLine(event);
            day += 1 + r * 3;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DICTIONARY LOG\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ClassTable entries;
    if (!entries.LoadDocumentFile(argv[1])) {
        std::fprintf(stderr, "%s did not load\n", argv[1]);
        return 1;
    }
    const std::filesystem::path log = argv[2];
    const SystemClock clock;
    if (!std::filesystem::exists(log)) {
        MakeLog(entries, log, clock.Now());
    }

    // Opening the dictionary with its log against opening it without, alternately: the log is read on a thread of
    // its own while the dictionary is read, as the main window does. What the user waits for is the wall time.
    std::vector<double> alone;
    std::vector<double> withLog;
    for (int run = 0; run < 5; ++run) {
        for (const bool reading : {false, true}) {
            std::optional<ClassTable> opened(std::in_place);
            std::optional<ReviewDeckLoading> loadingLog;
            std::unique_ptr<ReviewDeck> openedDeck;
            Stopwatch opening;
            if (reading) {
                loadingLog.emplace(log, ScheduleOptions{});
            }
            const bool read = opened->LoadDocumentFile(argv[1]);
            if (reading) {
                ReviewLogReading logReading;
                openedDeck = loadingLog->Take(logReading);
            }
            (reading ? withLog : alone).push_back(opening.Wall());
            if (!read || (reading && openedDeck->History().RatingCount() == 0)) {
                std::fprintf(stderr, "the dictionary or its log did not load\n");
                return 1;
            }
        }
    }
    std::sort(alone.begin(), alone.end());
    std::sort(withLog.begin(), withLog.end());
    std::printf("open_ms=%.1f open_with_log_ms=%.1f open_added_ms=%.1f\n", alone[2], withLog[2], withLog[2] - alone[2]);

    // The deck reads a copy of the log, to which the ratings below are written: the log made stays as it was.
    const std::filesystem::path scratch = log.parent_path() / "review-rating.lxr";
    std::filesystem::copy_file(log, scratch, std::filesystem::copy_options::overwrite_existing);
    ReviewDeck deck(scratch, {});
    Stopwatch loading;
    const ReviewLogReading reading = deck.Load();
    std::printf("log_ms=%.1f log_cpu_ms=%.1f ratings=%zu unreadable=%d\n", loading.Wall(), loading.Cpu(),
                deck.History().RatingCount(), reading.unreadableLines);

    Stopwatch queueing;
    const ReviewQueue queue = BuildReviewQueue(entries, deck.History(), {}, ReviewDay(clock.Now()));
    std::printf("queue_ms=%.1f queue_cpu_ms=%.1f due=%d queued=%zu\n", queueing.Wall(), queueing.Cpu(), queue.dueCount,
                queue.cards.size());

    // As the main window goes about it: the due count when the dictionary opens (no new cards asked for, the terms'
    // hashes kept), then today's queue when the review window opens.
    ReviewEntryDigest opened;
    Stopwatch counting;
    const int dueOnOpening =
        BuildReviewQueue(entries, deck.History(), {0, false}, ReviewDay(clock.Now()), &opened).dueCount;
    const double countWall = counting.Wall();
    const double countCpu = counting.Cpu();
    Stopwatch windowQueueing;
    const ReviewQueue windowQueue = BuildReviewQueue(entries, deck.History(), {}, ReviewDay(clock.Now()), &opened);
    std::printf("count_ms=%.1f count_cpu_ms=%.1f due=%d window_queue_ms=%.1f window_queue_cpu_ms=%.1f queued=%zu\n",
                countWall, countCpu, dueOnOpening, windowQueueing.Wall(), windowQueueing.Cpu(),
                windowQueue.cards.size());

    // The queue built again after a review session (the window opened again, or the count after it): one card more
    // was rated, so the due cards are looked for afresh through what the count kept.
    if (!deck.Rate(entries.CellView(0, windowQueue.cards.front().entryRow), false, Rating::Good,
                   WithSystemOffset(clock.Now()))) {
        std::fprintf(stderr, "the rating could not be written\n");
        return 1;
    }
    Stopwatch again;
    const ReviewQueue queueAgain = BuildReviewQueue(entries, deck.History(), {}, ReviewDay(clock.Now()), &opened);
    std::printf("queue_again_ms=%.1f queue_again_cpu_ms=%.1f queued=%zu\n", again.Wall(), again.Cpu(),
                queueAgain.cards.size());

    std::vector<double> ratings;
    for (int i = 0; i < 50; ++i) {
        Stopwatch rating;
        if (!deck.Rate(entries.CellView(0, i), false, Rating::Good, WithSystemOffset(clock.Now()))) {
            std::fprintf(stderr, "the rating could not be written\n");
            return 1;
        }
        ratings.push_back(rating.Wall());
    }
    std::filesystem::remove(scratch);
    std::sort(ratings.begin(), ratings.end());
    std::printf("rating_ms=%.2f\n", ratings[ratings.size() / 2]);

    struct NoPrompts : Prompter {
        PromptAnswer Ask(const std::u16string&, const std::u16string&, PromptButtons, PromptIcon) override {
            return PromptAnswer::Cancel;
        }
    } prompter;
    InterfaceTexts texts;
    struct NoFiles : FileChooser {
        std::optional<ChosenFile> ChooseOpen(const std::u16string&, const std::u16string&,
                                             const std::filesystem::path&) override {
            return std::nullopt;
        }
        std::optional<ChosenFile> ChooseSave(const std::u16string&, const std::u16string&, const std::filesystem::path&,
                                             const std::u16string&) override {
            return std::nullopt;
        }
    } chooser;
    Stopwatch statistics;
    CStatisticsDlg dialog(ToolWindowContext{texts, prompter, chooser}, deck, entries, false, clock);
    dialog.show();
    QApplication::processEvents();
    std::printf("statistics_ms=%.1f statistics_cpu_ms=%.1f\n", statistics.Wall(), statistics.Cpu());
    std::fflush(stdout);
    std::_Exit(0);
}
