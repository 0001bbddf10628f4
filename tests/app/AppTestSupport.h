#pragma once

#include "support/TempFolder.h"

#include <string>

namespace lexaro::test {

// An element-form settings file around the given value lines.
inline std::string SettingsFileText(const std::string& lines) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n" + lines + "</InitFile>\r\n";
}

} // namespace lexaro::test
