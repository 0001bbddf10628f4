// The dictd reader on an arbitrary .index beside a small data file.
#include "ForeignFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    static const bool companion = [] {
        std::string text;
        for (int i = 0; i < 200; ++i) {
            text += "Word " + std::to_string(i) + " /pr/\nmeaning\n";
        }
        fuzz::PutFile("d.dict", text);
        return true;
    }();
    (void)companion;
    fuzz::PutFile("d.index", fuzz::Bytes(data, size));
    fuzz::ReadAndCheck("d.index");
    return 0;
}
