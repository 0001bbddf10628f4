// The data file reader (plain, gzip or dictzip) on arbitrary bytes, with ranges the first bytes pick.
#include "FuzzSupport.h"
#include "table/Dictzip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    if (size < 4) {
        return 0;
    }
    std::string error;
    std::optional<DictData> text = DictData::FromBytes(std::string(fuzz::Bytes(data + 4, size - 4)), error);
    if (!text) {
        fuzz::Require(!error.empty(), "a refused file has a reason");
        return 0;
    }
    std::string out;
    for (int i = 0; i < 2; ++i) {
        const std::uint64_t offset = text->Size() * data[i * 2] / 255;
        const std::uint64_t length = data[i * 2 + 1] * 997u;
        if (text->Read(offset, length, out, error)) {
            fuzz::Require(out.size() == length, "a range is read whole");
        } else {
            fuzz::Require(!error.empty(), "a failed read has a reason");
        }
    }
    return 0;
}
