#pragma once

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace lexaro::test {

// A fresh folder for one test's files, under the build tree's scratch folder (LEXARO_TEST_TMP) or else the
// system's temporary folder, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder() {
        const char* scratch = std::getenv("LEXARO_TEST_TMP");
        const std::filesystem::path root = scratch != nullptr ? scratch : std::filesystem::temp_directory_path();
        std::filesystem::create_directories(root);
        std::string pattern = (root / "lexaro-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), pattern);
        }
        m_Path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_Path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_Path; }
    std::filesystem::path operator/(std::string_view name) const { return m_Path / name; }

    // The names in the folder, so a test can tell that no temporary file was left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_Path)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path m_Path;
};

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The whole file; a file that cannot be read fails the test.
inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.is_open()) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace lexaro::test
