// The StarDict reader on an arbitrary .idx (or, when the first byte is odd, .syn). The .ifo announces the
// index's true size and a word count the second byte picks, so that the reader gets past its first checks.
#include "ForeignFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    if (size < 2) {
        return 0;
    }
    const bool synonyms = (data[0] & 1) != 0;
    const std::string_view bytes = fuzz::Bytes(data + 2, size - 2);
    const std::string sequence = (data[0] & 2) != 0 ? "sametypesequence=mW\n" : "";
    const std::string idx = synonyms ? std::string("a\0\0\0\0\0\0\0\0\x08", 10) : std::string(bytes);
    fuzz::PutFile("i.ifo", "StarDict's dict ifo file\nversion=3.0.0\n" + sequence +
                               "wordcount=" + std::to_string(synonyms ? 1 : data[1]) +
                               "\nidxfilesize=" + std::to_string(idx.size()) + "\n");
    fuzz::PutFile("i.idx", idx);
    fuzz::PutFile("i.syn", synonyms ? bytes : std::string_view());
    fuzz::PutFile("i.dict", std::string("m\0h<b>x&amp;</b>\0W\0\0\0\x02zz", 22));
    fuzz::ReadAndCheck("i.ifo");
    return 0;
}
