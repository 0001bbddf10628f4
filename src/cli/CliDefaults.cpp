#include "cli/CliDefaults.h"

namespace lexaro::cli {

void ApplyDefaultSettings(EntryStore& engine) {
    engine.SetSearchViceVersa(true);
    engine.SetSearchSubstring(true);
    engine.SetNoMultiTerms(true);
    engine.SetDoAutoAdd(false);
    engine.SetMultiDelete(false);
    engine.SetLimitMaxResults(false);
    engine.SetMaxResults(10);
    engine.SetSeparator(", ");
    engine.SetTranslateChar("\"");
    engine.SetWildcard("*");
    engine.Entries().SetCharset(DefaultCharset());
}

int DefaultCharset() {
    return 65001;
}

std::string DefaultSeparator() {
    return ";";
}

std::string DefaultNotFoundText() {
    return "Term not found.";
}

} // namespace lexaro::cli
