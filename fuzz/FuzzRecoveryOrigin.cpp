// The origin file of a recovery copy on arbitrary bytes: a path read from it is written back to a file that
// reads as the same path.
#include "FuzzSupport.h"
#include "app/RecoveryCopy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    const std::optional<std::string> path = ParseRecoveryOrigin(fuzz::Bytes(data, size));
    if (path) {
        fuzz::Require(path->size() <= size, "the path is no longer than the file");
        fuzz::Require(path->find('\0') == std::string::npos, "no NUL in a path");
        fuzz::Require(ParseRecoveryOrigin(ComposeRecoveryOrigin(*path)) == path, "the path survives a rewrite");
    }
    return 0;
}
