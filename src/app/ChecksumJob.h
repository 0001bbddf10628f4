#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace lexaro {

// Computes the checksum of a file on a thread of its own, so that a window stays usable while MD2 reads a
// large dictionary for many seconds. Starting another computation, Stop and destroying the job end the
// running one within milliseconds and wait for its thread.
class ChecksumJob {
public:
    // Told the checksum ("" for type 0 or a file that cannot be read) on the job's thread. A stopped
    // computation tells nothing, and once Stop has returned nothing is told any more.
    using Finished = std::function<void(const std::string& checksum)>;

    ChecksumJob() = default;
    ~ChecksumJob();
    ChecksumJob(const ChecksumJob&) = delete;
    ChecksumJob& operator=(const ChecksumJob&) = delete;

    void Start(const std::filesystem::path& path, int type, Finished finished);
    void Stop();

private:
    std::thread m_Thread;
    std::atomic<bool> m_Stop{false};
};

} // namespace lexaro
