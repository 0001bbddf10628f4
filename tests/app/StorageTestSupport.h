#pragma once

#include "app/Environment.h"
#include "engine/Clock.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace lexaro::test {

struct FixedClock : Clock {
    LocalTime now{2019, 5, 22, 14, 30, 5};
    LocalTime Now() const override { return now; }
};

// A fresh folder per test with a fake installation inside it:
// a program file in prefix/bin, a home, and a machine-wide folder. Nothing outside it is touched.
class StorageFolder : public ::testing::Test {
protected:
    void SetUp() override {
        m_Scratch.emplace();
        m_Folder = m_Scratch->Path();
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

    std::filesystem::path ProgramFolder() const { return m_Folder / "prefix" / "bin"; }
    std::filesystem::path UserFolder() const { return m_Folder / "home" / ".config" / "Corvane" / "Lexaro"; }
    std::filesystem::path RecordPath() const {
        return std::filesystem::path(m_Environment.commonDir) / "Installation.ini";
    }

    static void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
        test::WriteBytes(path, bytes);
    }
    static std::string ReadBytes(const std::filesystem::path& path) { return test::ReadBytes(path); }

    std::optional<TempFolder> m_Scratch;
    std::filesystem::path m_Folder;
    Environment m_Environment;
    FixedClock m_Clock;
};

} // namespace lexaro::test
