#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexaro {

// The system clipboard as the engine sees it: bytes under a named private format, and plain text.
// The desktop program implements it with the Qt clipboard, the tests with an in-memory fake.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's content with the bytes under the format. False when the clipboard is busy.
    virtual bool PutBytes(std::string_view format, std::string_view bytes) = 0;
    // The bytes under the format, or nothing when the clipboard holds none.
    virtual std::optional<std::string> GetBytes(std::string_view format) = 0;
    virtual bool PutText(const std::u16string& text) = 0;
    virtual std::optional<std::u16string> GetText() = 0;
};

} // namespace lexaro
