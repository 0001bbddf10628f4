#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>

namespace lexaro::test {

// Whether this process holds the file open with its read position past the start: a computation that reads
// it is under way. Tests wait on this instead of guessing how long starting a computation takes.
inline bool BeingRead(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    if (error) {
        return false;
    }
    for (const auto& descriptor : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::error_code closed; // the descriptor may be closed while we look
        if (std::filesystem::read_symlink(descriptor.path(), closed) != target) {
            continue;
        }
        std::ifstream info("/proc/self/fdinfo/" + descriptor.path().filename().string());
        std::string key;
        long long position = 0;
        if (info >> key >> position && key == "pos:" && position > 0) {
            return true;
        }
    }
    return false;
}

// Waits until the condition holds or the time is up; whether it holds.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::yield();
    }
    return true;
}

} // namespace lexaro::test
