#pragma once

#include "app/InterfaceTexts.h"

#include <string>

namespace lexaro {

// "1 entry added." or "N entries added." in the language in use. A language file that has only the
// plural text keeps its own language for one entry too.
std::string EntriesAddedText(const InterfaceTexts& texts, int count);

} // namespace lexaro
