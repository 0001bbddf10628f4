#pragma once

#include "app/Environment.h"
#include "engine/Clock.h"
#include "table/SafeFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace lexaro::test {

struct FixedClock : Clock {
    LocalTime now{2019, 5, 22, 14, 30, 5};
    LocalTime Now() const override { return now; }
};

// A fresh folder per test under the build tree's scratch folder, with a fake installation inside it:
// a program file in prefix/bin, a home, and a machine-wide folder. Nothing outside it is touched.
class StorageFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const char* scratch = std::getenv("LEXARO_TEST_TMP");
        const std::filesystem::path base =
            scratch != nullptr ? std::filesystem::path(scratch) : std::filesystem::temp_directory_path();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_Folder = base / (std::string("storage-") + info->test_suite_name() + "-" + info->name() + "-" +
                           std::to_string(::getpid()));
        std::filesystem::remove_all(m_Folder);
        std::filesystem::create_directories(m_Folder / "prefix" / "bin");
        std::filesystem::create_directories(m_Folder / "home");
        std::filesystem::create_directories(m_Folder / "cwd");

        m_Environment.home = m_Folder / "home";
        m_Environment.commonDir = (m_Folder / "common" / "Corvane" / "Lexaro").string();
        m_Environment.programFile = ProgramFolder() / "lexaro";
        m_Environment.firstArgument = "lexaro";
        m_Environment.currentDirectory = m_Folder / "cwd";
        WriteBytes(m_Environment.programFile, "\x7F"
                                              "ELF fake program");
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_Folder, ignored);
    }

    std::filesystem::path ProgramFolder() const { return m_Folder / "prefix" / "bin"; }
    std::filesystem::path UserFolder() const { return m_Folder / "home" / ".config" / "Corvane" / "Lexaro"; }
    std::filesystem::path RecordPath() const {
        return std::filesystem::path(m_Environment.commonDir) / "Installation.ini";
    }

    static void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    static std::string ReadBytes(const std::filesystem::path& path) {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
        return bytes;
    }

    std::filesystem::path m_Folder;
    Environment m_Environment;
    FixedClock m_Clock;
};

} // namespace lexaro::test
