// The StarDict reader on an arbitrary .ifo beside a sound index and data.
#include "ForeignFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    static const bool companions = [] {
        fuzz::PutFile("f.idx", std::string("word\0\0\0\0\0\0\0\0\x05", 13));
        fuzz::PutFile("f.dict", "mtext");
        return true;
    }();
    (void)companions;
    fuzz::PutFile("f.ifo", fuzz::Bytes(data, size));
    fuzz::ReadAndCheck("f.ifo");
    return 0;
}
