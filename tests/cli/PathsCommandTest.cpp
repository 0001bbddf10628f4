#include "CliTestSupport.h"
#include "cli/Commands.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::TempFolder;
using test::WriteBytes;

// An installed program under a temporary prefix, with its own home.
struct Installation {
    explicit Installation(const TempFolder& temp)
        : prefix(temp.Path() / "usr"), data(prefix / "share" / "lexaro"), home(temp.Path() / "home") {
        std::filesystem::create_directories(prefix / "bin");
        std::filesystem::create_directories(data);
        std::filesystem::create_directories(home);
        environment.programFile = prefix / "bin" / "lexaro-cli";
        environment.home = home;
    }

    test::CliResult Run() const {
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        cli::CliStreams io{in, out, err};
        cli::PathsCommand command(environment);
        test::CliResult result;
        result.code = command.Run({}, io);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    std::filesystem::path prefix;
    std::filesystem::path data;
    std::filesystem::path home;
    Environment environment;
};

void WriteLanguages(const Installation& install) {
    WriteBytes(install.data / "Languages.ini", "LanguageDefault=\"Deutsch\"\r\n"
                                               "LanguageName=\"Deutsch\"\r\nLanguageFile=\"Lexaro_German.xml\"\r\n"
                                               "LanguageName=\"Français\"\r\nLanguageFile=\"Lexaro_French.xml\"\r\n");
    WriteBytes(install.data / "Lexaro_German.xml", "FrmMain.m_BTNSearch=\"Suchen\"\r\n");
    WriteBytes(install.data / "Lexaro_German.html", "<html></html>");
}

TEST(PathsCommand, InstalledProgramFindsItsLanguagesAndHelpBesideItsPrefix) {
    TempFolder temp;
    Installation install(temp);
    WriteLanguages(install);
    WriteBytes(install.data / "Lexaro_French.xml", "FrmMain.m_BTNSearch=\"Chercher\"\r\n");

    const test::CliResult result = install.Run();
    EXPECT_EQ(result.code, cli::kExitSuccess) << result.err;
    const std::string data = install.data.string();
    EXPECT_NE(result.out.find("Data folder - " + data + "\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Language English - built in\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Language Deutsch - " + data + "/Lexaro_German.xml\n"), std::string::npos);
    EXPECT_NE(result.out.find("Language Français - " + data + "/Lexaro_French.xml\n"), std::string::npos);
    EXPECT_NE(result.out.find("Default language - Deutsch\n"), std::string::npos);
    EXPECT_NE(result.out.find("Help - " + data + "/Lexaro_German.html\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("License - " + data + "/License.txt (missing)\n"), std::string::npos);
    EXPECT_NE(result.out.find("Settings - " + install.home.string() + "/.config/Corvane/Lexaro/Lexaro.ini\n"),
              std::string::npos);
    EXPECT_TRUE(result.err.empty());
}

TEST(PathsCommand, MissingLanguageFileOrListIsReportedAsFailure) {
    TempFolder temp;
    Installation install(temp);
    WriteLanguages(install);
    test::CliResult result = install.Run();
    EXPECT_EQ(result.code, cli::kExitFailure);
    EXPECT_NE(result.out.find("/Lexaro_French.xml (missing)\n"), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("missing"), std::string::npos);

    std::filesystem::remove_all(install.data);
    result = install.Run();
    EXPECT_EQ(result.code, cli::kExitFailure);
    EXPECT_NE(result.out.find("Languages - " + install.data.string() + "/Languages.ini (missing)\n"), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("Default language - English\n"), std::string::npos);
}

} // namespace
} // namespace lexaro
