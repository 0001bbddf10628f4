#include "app/CountedTexts.h"

namespace lexaro {

std::string EntriesAddedText(const InterfaceTexts& texts, int count) {
    constexpr std::string_view kPlural = "FrmAllEntries.m_acTImportFinished";
    constexpr std::string_view kSingular = "FrmAllEntries.m_acTImportFinishedOne";
    std::string text;
    if (count == 1) {
        text = texts.GetText(kSingular, "");
        if (text.empty()) {
            text = texts.GetText(kPlural, "");
        }
        if (text.empty()) {
            text = texts.GetText(kSingular);
        }
    } else {
        text = texts.GetText(kPlural);
    }
    return std::to_string(count) + " " + text;
}

} // namespace lexaro
