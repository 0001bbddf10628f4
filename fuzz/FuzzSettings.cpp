// The settings file on arbitrary bytes: read, written and read again, the settings come out the same, so a
// damaged file settles after one run instead of drifting from start to start.
#include "FuzzSupport.h"
#include "app/Settings.h"
#include "table/InitFileDocument.h"

namespace {

std::string Roundtrip(std::string_view text) {
    using namespace lexaro;
    InitFileDocument document(InitFileForm::Element);
    document.ParseText(text);
    SettingsReadContext context;
    context.currentLanguageFile = "English.lng";
    context.fileExists = [](const std::string&) { return true; };
    const Settings settings = ReadSettings(document, context);
    InitFileDocument written(InitFileForm::Element);
    WriteSettings(settings, written);
    return written.ComposeText();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    const std::string once = Roundtrip(fuzz::Bytes(data, size));
    const std::string twice = Roundtrip(once);
    fuzz::Require(once == twice, "settings written once read back to the same settings");
    return 0;
}
