// Loads one dictionary file, of the program's own form or a dictd or StarDict dictionary (and saves it again when a
// target is given) in a process of its own, so that the peak memory it reports belongs to that work alone. Prints
// "load_ms=... load_peak_kb=..." and, with a target, "save_ms=... save_peak_kb=...". Exit status 1 when the file does
// not load or save.

#include "table/ClassTable.h"
#include "table/ForeignDictionary.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Processor time (user and system) of the process so far: on a busy machine it tells the work apart from
// the waiting.
double CpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s DICTIONARY [SAVE_TO]\n", argv[0]);
        return 2;
    }
    std::printf("start_peak_kb=%ld\n", PeakKilobytes());
    lexaro::ClassTable table;
    double cpuStart = CpuMilliseconds();
    auto start = std::chrono::steady_clock::now();
    const bool read = lexaro::ForeignFormOf(argv[1]) != lexaro::ForeignForm::None
                          ? lexaro::ReadForeignDictionary(argv[1], table).complete
                          : table.LoadDocumentFile(argv[1]);
    if (!read) {
        std::fprintf(stderr, "%s did not load\n", argv[1]);
        return 1;
    }
    std::printf("load_ms=%.1f load_cpu_ms=%.1f load_peak_kb=%ld rows=%d\n", MillisecondsSince(start),
                CpuMilliseconds() - cpuStart, PeakKilobytes(), table.RowCount());
    if (argc == 3) {
        cpuStart = CpuMilliseconds();
        start = std::chrono::steady_clock::now();
        if (!table.SaveDocumentFile(argv[2])) {
            std::fprintf(stderr, "%s could not be written\n", argv[2]);
            return 1;
        }
        std::printf("save_ms=%.1f save_cpu_ms=%.1f save_peak_kb=%ld\n", MillisecondsSince(start),
                    CpuMilliseconds() - cpuStart, PeakKilobytes());
    }
    std::fflush(stdout);
    // The table's memory goes back with the process; freeing a million rows first would only cost time.
    std::_Exit(0);
}
