#include "app/Environment.h"
#include "app/Storage.h"
#include "ui/AppIdentity.h"
#include "ui/LexaroDlg.h"
#include "ui/QtPlatform.h"

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#ifdef LEXARO_SCRIPT_HOOK
#include "ui/ScriptDriver.h"

#include <charconv>
#include <chrono>
#include <string_view>

namespace {

// LEXARO_RECOVERY_INTERVAL_MS (1 to 60000) shortens the recovery interval, so that the test that kills a
// scripted program need not wait a minute for its recovery copy.
std::chrono::milliseconds RecoveryInterval() {
    const char* text = std::getenv("LEXARO_RECOVERY_INTERVAL_MS");
    const std::string_view value = text ? text : "";
    long milliseconds = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), milliseconds);
    if (value.empty() || error != std::errc() || end != value.data() + value.size() || milliseconds < 1 ||
        milliseconds > lexaro::kRecoveryInterval.count()) {
        return lexaro::kRecoveryInterval;
    }
    return std::chrono::milliseconds(milliseconds);
}

} // namespace
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lexaro");
    QApplication::setOrganizationName("Corvane");
    lexaro::ApplyApplicationIdentity();

    auto clock = std::make_shared<lexaro::SystemClock>();
    const lexaro::Environment environment = lexaro::SystemEnvironment();
    const lexaro::StartupStorage storage = lexaro::PrepareStorage(environment, *clock);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }

    lexaro::QtPrompter prompter;
    lexaro::Prompter* prompts = &prompter;
    lexaro::QtFileChooser chooser;
    lexaro::QtClipboard clipboard;

#ifdef LEXARO_SCRIPT_HOOK
    // A build with tests can be driven by a script file; its prompts go to a log instead of the screen.
    const char* script = std::getenv("LEXARO_SCRIPT");
    std::unique_ptr<lexaro::ScriptLog> scriptLog;
    std::unique_ptr<lexaro::ScriptPrompter> scriptPrompter;
    if (script && *script) {
        scriptLog = std::make_unique<lexaro::ScriptLog>(QString::fromLocal8Bit(script) + QStringLiteral(".log"));
        scriptPrompter = std::make_unique<lexaro::ScriptPrompter>(*scriptLog);
        prompts = scriptPrompter.get();
    }
#endif

    lexaro::MainWindowServices services{prompts, &chooser, clock, &clipboard, {}};
#ifdef LEXARO_SCRIPT_HOOK
    services.recoveryInterval = RecoveryInterval();
#endif
    lexaro::LexaroDlg window(std::move(services));
    prompter.SetParent(&window);
    chooser.SetParent(&window);
    window.Start(storage, arguments, environment.currentDirectory);
    if (!window.IsInTray()) {
        window.show();
    }

#ifdef LEXARO_SCRIPT_HOOK
    std::unique_ptr<lexaro::ScriptDriver> driver;
    if (scriptLog) {
        driver = std::make_unique<lexaro::ScriptDriver>(window, QString::fromLocal8Bit(script), *scriptLog);
        driver->SetPrompter(*scriptPrompter);
        driver->Start();
    }
#endif
    return QApplication::exec();
}
