// The text conversions on arbitrary bytes. The first byte picks the code page.
#include "FuzzSupport.h"
#include "table/TextEncoding.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    if (size == 0) {
        return 0;
    }
    const std::string_view bytes = fuzz::Bytes(data + 1, size - 1);
    const int codePage = fuzz::PickCodePage(data[0]);

    // Whatever comes in, UTF-8 that comes out is valid: it survives a trip through UTF-16 unchanged.
    const auto isValidUtf8 = [](const std::string& text) { return WideToUtf8(Utf8ToWide(text)) == text; };
    const std::string cleaned = WideToUtf8(Utf8ToWide(bytes));
    fuzz::Require(isValidUtf8(cleaned), "UTF-16 round trip gives valid UTF-8");
    const std::string fromPage = CodePageToUtf8(bytes, codePage);
    fuzz::Require(isValidUtf8(fromPage), "code page to UTF-8 gives valid UTF-8");
    const std::string toPage = Utf8ToCodePage(bytes, codePage);
    fuzz::Require(isValidUtf8(CodePageToUtf8(toPage, codePage)), "converted text converts back");

    std::u16string wide(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<char16_t>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));
    }
    fuzz::Require(isValidUtf8(WideToUtf8(wide)), "UTF-16 to UTF-8 gives valid UTF-8");
    return 0;
}
