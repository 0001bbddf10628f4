// Lexaro as the desktop program starts it, driven by the script file named by LEXARO_SCRIPT: its prompts go
// to the log SCRIPT.log instead of the screen. LEXARO_RECOVERY_INTERVAL_MS (1 to 60000) shortens the recovery
// interval, so that a test that kills the program need not wait a minute for its recovery copy.
#include "scripted/ScriptDriver.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/mainwindow/ProgramStart.h"

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

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

int main(int argc, char** argv) {
    const char* script = std::getenv("LEXARO_SCRIPT");
    std::unique_ptr<lexaro::ScriptLog> scriptLog;
    std::unique_ptr<lexaro::ScriptPrompter> scriptPrompter;

    lexaro::ProgramAdditions additions;
    additions.adjustServices = [&](lexaro::MainWindowServices& services) {
        if (script && *script) {
            scriptLog = std::make_unique<lexaro::ScriptLog>(QString::fromLocal8Bit(script) + QStringLiteral(".log"));
            scriptPrompter = std::make_unique<lexaro::ScriptPrompter>(*scriptLog);
            services.prompter = scriptPrompter.get();
        }
        services.recoveryInterval = RecoveryInterval();
    };
    additions.attach = [&](lexaro::LexaroDlg& window) -> std::unique_ptr<QObject> {
        if (!scriptLog) {
            return nullptr;
        }
        auto driver = std::make_unique<lexaro::ScriptDriver>(window, QString::fromLocal8Bit(script), *scriptLog);
        driver->SetPrompter(*scriptPrompter);
        driver->Start();
        return driver;
    };
    return lexaro::RunLexaro(argc, argv, additions);
}
