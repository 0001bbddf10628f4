#include "table/Checksum.h"

#include "table/DigestMd2.h"
#include "table/DigestMd4Md5.h"
#include "table/DigestSha1Sha256.h"
#include "table/DigestSha3.h"
#include "table/DigestSha512.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <type_traits>
#include <unistd.h>
#include <variant>
#include <vector>

namespace lexaro {

namespace {

// The alternative's index is the checksum type that selects it.
using AnyDigest = std::variant<std::monostate, Md2, Md4, Md5, Sha1, Sha224, Sha256, Sha384, Sha512, Sha3_224, Sha3_256,
                               Sha3_384, Sha3_512>;
static_assert(std::variant_size_v<AnyDigest> == kChecksumTypeCount);

template <std::size_t Type = 1>
void Select(AnyDigest& digest, int type) {
    if constexpr (Type < kChecksumTypeCount) {
        if (type == static_cast<int>(Type)) {
            digest.template emplace<Type>();
        } else {
            Select<Type + 1>(digest, type);
        }
    }
}

// MD2 hashes about 13 MB a second on a current machine: a stop waits at most a few milliseconds.
constexpr std::size_t kStopCheckBytes = std::size_t{1} << 16;

} // namespace

struct ChecksumHasher::State {
    AnyDigest digest;
};

std::size_t ChecksumDigestSize(int type) {
    static constexpr std::array<std::size_t, kChecksumTypeCount> kSizes = {0,  16, 16, 16, 20, 28, 32,
                                                                           48, 64, 28, 32, 48, 64};
    if (type < 0 || type >= kChecksumTypeCount) {
        return 0;
    }
    return kSizes[static_cast<std::size_t>(type)];
}

ChecksumHasher::ChecksumHasher(int type) : m_State(std::make_unique<State>()) {
    Select(m_State->digest, type);
}

ChecksumHasher::~ChecksumHasher() = default;
ChecksumHasher::ChecksumHasher(ChecksumHasher&&) noexcept = default;
ChecksumHasher& ChecksumHasher::operator=(ChecksumHasher&&) noexcept = default;

bool ChecksumHasher::IsValid() const {
    return m_State && m_State->digest.index() != 0;
}

void ChecksumHasher::Update(const void* data, std::size_t length) {
    if (!IsValid()) {
        return;
    }
    std::visit(
        [&](auto& digest) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(digest)>, std::monostate>) {
                digest.Update(data, length);
            }
        },
        m_State->digest);
}

std::string ChecksumHasher::FinishHex() {
    if (!IsValid()) {
        return {};
    }
    return std::visit(
        [](auto& digest) -> std::string {
            if constexpr (std::is_same_v<std::decay_t<decltype(digest)>, std::monostate>) {
                return {};
            } else {
                return DigestHex(digest.Finish());
            }
        },
        m_State->digest);
}

DigestBytes Sha2Digest(std::string_view bytes, std::size_t digestSize) {
    auto run = [bytes](auto digest) {
        digest.Update(bytes);
        return digest.Finish();
    };
    switch (digestSize) {
    case 28:
        return run(Sha224());
    case 32:
        return run(Sha256());
    case 48:
        return run(Sha384());
    case 64:
        return run(Sha512());
    default:
        return {};
    }
}

DigestBytes Sha3Digest(std::string_view bytes, std::size_t digestSize) {
    auto run = [bytes](auto digest) {
        digest.Update(bytes);
        return digest.Finish();
    };
    switch (digestSize) {
    case 28:
        return run(Sha3_224());
    case 32:
        return run(Sha3_256());
    case 48:
        return run(Sha3_384());
    case 64:
        return run(Sha3_512());
    default:
        return {};
    }
}

std::string BufferChecksum(std::string_view bytes, int type) {
    ChecksumHasher hasher(type);
    hasher.Update(bytes);
    return hasher.FinishHex();
}

std::string FileChecksum(const std::filesystem::path& path, int type, const std::atomic<bool>* stop) {
    ChecksumHasher hasher(type);
    if (!hasher.IsValid()) {
        return {};
    }
    // Non-blocking so that opening a pipe does not wait for a writer; reads of a regular file ignore it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return {};
    }
    // Only regular files: a directory cannot be read, and a pipe or device might never end.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {};
    }
    std::vector<unsigned char> buffer(1 << 18);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            return {};
        }
        if (got == 0) {
            break;
        }
        for (std::size_t done = 0; done < static_cast<std::size_t>(got); done += kStopCheckBytes) {
            if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
                ::close(fd);
                return {};
            }
            hasher.Update(buffer.data() + done, std::min(kStopCheckBytes, static_cast<std::size_t>(got) - done));
        }
    }
    ::close(fd);
    return hasher.FinishHex();
}

} // namespace lexaro
