#include "app/ChecksumJob.h"

#include "table/Checksum.h"

#include <system_error>
#include <utility>

namespace lexaro {

ChecksumJob::~ChecksumJob() {
    Stop();
}

void ChecksumJob::Start(const std::filesystem::path& path, int type, Finished finished) {
    Stop();
    m_Stop.store(false);
    auto run = [this, path, type, finished = std::move(finished)] {
        const std::string checksum = FileChecksum(path, type, &m_Stop);
        if (!m_Stop.load()) {
            finished(checksum);
        }
    };
    try {
        m_Thread = std::thread(run);
    } catch (const std::system_error&) {
        // No thread to be had: the checksum is still shown, only later.
        run();
    }
}

void ChecksumJob::Stop() {
    m_Stop.store(true);
    if (m_Thread.joinable()) {
        m_Thread.join();
    }
}

} // namespace lexaro
