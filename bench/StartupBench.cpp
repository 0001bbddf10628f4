// Start-up as the program does it, timed from the process's own start until the main window is exposed
// with its start dictionary loaded and the first events are handled; prints "ready_ms=... cpu_ms=...
// rows=...".
// "--prepare DICTIONARY" first writes a settings file (in the folders the environment names) that makes
// DICTIONARY the start dictionary.

#include "app/Environment.h"
#include "app/Settings.h"
#include "app/Storage.h"
#include "engine/Clock.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/qt/QtPlatform.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Milliseconds since the process was started, from its start time in /proc (in clock ticks since boot).
double MillisecondsSinceProcessStart() {
    std::ifstream in("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    const auto afterName = stat.rfind(')');
    if (afterName == std::string::npos) {
        return -1;
    }
    // Field 22 is the start time; the fields after the name begin with field 3.
    const char* cursor = stat.c_str() + afterName + 2;
    for (int field = 3; field < 22 && cursor != nullptr; ++field) {
        cursor = std::strchr(cursor, ' ');
        cursor = cursor ? cursor + 1 : nullptr;
    }
    if (cursor == nullptr) {
        return -1;
    }
    const double startTicks = std::strtod(cursor, nullptr);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double CpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

int Prepare(const char* dictionary) {
    const lexaro::Environment environment = lexaro::SystemEnvironment();
    const lexaro::SystemClock clock;
    const lexaro::StartupStorage storage = lexaro::PrepareStorage(environment, clock);
    lexaro::Settings settings;
    settings.startDictionary = dictionary;
    if (storage.settingsPath.empty() || !lexaro::SaveSettings(storage.settingsPath, settings)) {
        std::fprintf(stderr, "the settings could not be written\n");
        return 1;
    }
    std::printf("%s\n", storage.settingsPath.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--prepare") == 0) {
        return Prepare(argv[2]);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lexaro");
    QApplication::setOrganizationName("Corvane");

    auto clock = std::make_shared<lexaro::SystemClock>();
    const lexaro::Environment environment = lexaro::SystemEnvironment();
    const lexaro::StartupStorage storage = lexaro::PrepareStorage(environment, *clock);
    lexaro::QtPrompter prompter;
    lexaro::QtFileChooser chooser;
    lexaro::QtClipboard clipboard;
    lexaro::LexaroDlg window({&prompter, &chooser, clock, &clipboard, {}});
    prompter.SetParent(&window);
    chooser.SetParent(&window);
    window.Start(storage, {}, environment.currentDirectory);
    window.show();
    QTimer::singleShot(0, [&window] {
        const bool exposed = QTest::qWaitForWindowExposed(&window);
        QApplication::processEvents();
        const double elapsed = MillisecondsSinceProcessStart();
        std::printf("ready_ms=%.1f cpu_ms=%.1f rows=%d exposed=%d\n", elapsed, CpuMilliseconds(),
                    window.Engine().Entries().RowCount(), exposed ? 1 : 0);
        std::fflush(stdout);
        // Only the start is measured; tearing down a million rows would only add to the run's time.
        std::_Exit(0);
    });
    return QApplication::exec();
}
