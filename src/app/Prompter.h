#pragma once

#include <string>

namespace lexaro {

enum class PromptButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptAnswer { Ok, Yes, No, Cancel };

// Every message box of the program goes through this: the windows ask, the desktop answers (Qt message
// boxes in the program, scripted answers in the tests).
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual PromptAnswer Ask(const std::u16string& text, const std::u16string& caption, PromptButtons buttons,
                             PromptIcon icon) = 0;
};

} // namespace lexaro
