#include "app/ChecksumJob.h"

#include "AppTestSupport.h"
#include "support/FileReading.h"
#include "table/Checksum.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace lexaro {
namespace {

using namespace std::chrono_literals;

// What a job reported, waited for across threads.
class Reports {
public:
    ChecksumJob::Finished Receiver(std::string tag) {
        return [this, tag](const std::string& checksum) {
            std::lock_guard lock(m_Mutex);
            m_Got.push_back(tag + ":" + checksum);
            m_Changed.notify_all();
        };
    }
    std::optional<std::string> WaitForFirst() {
        std::unique_lock lock(m_Mutex);
        if (!m_Changed.wait_for(lock, 60s, [this] { return !m_Got.empty(); })) {
            return std::nullopt;
        }
        return m_Got.front();
    }
    std::vector<std::string> All() {
        std::lock_guard lock(m_Mutex);
        return m_Got;
    }

private:
    std::mutex m_Mutex;
    std::condition_variable m_Changed;
    std::vector<std::string> m_Got;
};

// MD2 of this reads for minutes; sparse, so it costs no disk space.
std::filesystem::path HugeFile(const test::TempFolder& folder) {
    const auto path = folder / "huge.lxd";
    std::ofstream(path).close();
    std::filesystem::resize_file(path, std::uintmax_t{4} << 30);
    return path;
}

TEST(ChecksumJob, StoppingEndsALongComputationWithoutAReport) {
    test::TempFolder folder;
    const auto huge = HugeFile(folder);
    Reports reports;
    const auto started = std::chrono::steady_clock::now();
    {
        ChecksumJob job;
        job.Start(huge, kChecksumMd2, reports.Receiver("md2"));
        ASSERT_TRUE(test::WaitUntil([&] { return test::BeingRead(huge); }));
        job.Start(huge, kChecksumMd2, reports.Receiver("again"));
        ASSERT_TRUE(test::WaitUntil([&] { return test::BeingRead(huge); }));
    } // destroyed while computing
    // Not a measure of speed: waiting for either computation would take minutes.
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
    EXPECT_TRUE(reports.All().empty());
}

TEST(ChecksumJob, OnlyTheLastOfSeveralStartsReports) {
    test::TempFolder folder;
    const auto huge = HugeFile(folder);
    std::ofstream(folder / "one.lxd", std::ios::binary) << "x";
    Reports reports;
    ChecksumJob job;
    job.Start(huge, kChecksumMd2, reports.Receiver("huge"));
    job.Start(huge, kChecksumSha3_512, reports.Receiver("huge"));
    job.Start(folder / "one.lxd", kChecksumMd5, reports.Receiver("one"));
    EXPECT_EQ(reports.WaitForFirst(), "one:9dd4e461268c8034f5c8564e155c67a6");
    job.Stop();
    EXPECT_EQ(reports.All().size(), 1u);
}

} // namespace
} // namespace lexaro
