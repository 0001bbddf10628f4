#pragma once

#include <string>
#include <vector>

namespace lexaro {

// The menu bar's titles as they are shown, with a keyboard mnemonic each: "&" goes before the first letter
// or digit of a title that no earlier title has taken (letters compared without case), so English gets
// Alt+F, Alt+E, Alt+V, Alt+N ("Entry" after "Edit") and Alt+?. A title without letters or digits ("?")
// takes its first free character other than a blank. A literal "&" is doubled so that it shows as itself;
// a title with nothing free gets no mnemonic.
std::vector<std::u16string> MarkMnemonics(const std::vector<std::u16string>& titles);

} // namespace lexaro
