#include "cli/CliDefaults.h"

#include "app/DefaultTexts.h"
#include "app/Settings.h"
#include "app/SystemCodePage.h"

namespace lexaro::cli {

void ApplyDefaultSettings(EntryStore& engine) {
    ApplyEngineSettings(Settings{}, engine);
}

int DefaultCharset() {
    return EffectiveCharset(Settings{}.charset);
}

std::string DefaultSeparator() {
    return Settings{}.separator;
}

std::string DefaultNotFoundText() {
    return std::string(DefaultText("FrmMain.m_acTNotFound"));
}

std::string PropertyLabel(std::string_view key) {
    return std::string(DefaultText(key));
}

} // namespace lexaro::cli
