#pragma once

#include <QString>
#include <string_view>

namespace lexaro {

class InterfaceTextsView;

// The interface text of a key in the current language, or its built-in English default.
QString UiText(std::string_view key);

} // namespace lexaro
