#pragma once

#include <string_view>

namespace lexaro {

// Qt's own texts (the buttons of message boxes, the file dialogs) in the language of the interface texts:
// loads Qt's translation for the locale ("de", "fr") and drops the one loaded before. English, an empty
// locale or a locale Qt has no translation for leave Qt's texts English. Returns whether one is in use.
bool UseQtTranslation(std::string_view locale);

} // namespace lexaro
