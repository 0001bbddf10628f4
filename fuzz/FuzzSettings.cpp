// The settings file on arbitrary bytes: read, written and read again. The format escapes nothing, so a value
// holding markup may come back different; what must hold is that no input crashes or misreads memory on the
// way, at start or at the next start.
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
    fuzz::Require(once.starts_with("<?xml"), "the settings are written as a document");
    (void)Roundtrip(once);
    return 0;
}
