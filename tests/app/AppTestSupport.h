#pragma once

#include "table/SafeFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace lexaro::test {

// A fresh folder for one test under the build tree's scratch folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const char* scratch = std::getenv("LEXARO_TEST_TMP");
        const std::filesystem::path base = scratch != nullptr ? scratch : std::filesystem::temp_directory_path();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_Path = base / ("app-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                         std::to_string(::getpid()));
        std::filesystem::remove_all(m_Path);
        std::filesystem::create_directories(m_Path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_Path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_Path; }
    std::filesystem::path operator/(const std::string& name) const { return m_Path / name; }

private:
    std::filesystem::path m_Path;
};

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
    return bytes;
}

// An element-form settings file around the given value lines.
inline std::string SettingsFileText(const std::string& lines) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n" + lines + "</InitFile>\r\n";
}

} // namespace lexaro::test
