#pragma once

#include "TestData.h"
#include "cli/CliCommand.h"
#include "cli/LexaroCli.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace lexaro::test {

// What one run of a command left behind.
struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs the command in memory with standard input holding input.
template <typename Command>
CliResult RunCommand(const std::vector<std::string>& args, std::string_view input = {}) {
    std::istringstream in{std::string(input)};
    std::ostringstream out;
    std::ostringstream err;
    cli::CliStreams io{in, out, err};
    Command command;
    CliResult result;
    result.code = command.Run(args, io);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// Runs lexaro-cli's dispatcher in memory, arguments without the program name.
inline CliResult RunCli(const std::vector<std::string>& args, std::string_view input = {}) {
    std::istringstream in{std::string(input)};
    std::ostringstream out;
    std::ostringstream err;
    cli::CliStreams io{in, out, err};
    CliResult result;
    result.code = cli::RunLexaroCli(args, io);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// A fixture of tests/data/cli; copy it into a TempFolder before changing it.
inline std::string DataFile(std::string_view name) {
    return (std::filesystem::path(LEXARO_TEST_DATA_DIR) / "cli" / name).string();
}

// Copies a fixture of tests/data/cli into the folder; its path there, as a command-line argument.
inline std::string CopyFixture(const TempFolder& folder, std::string_view fixture) {
    const std::filesystem::path target = folder / fixture;
    std::filesystem::copy_file(DataFile(fixture), target, std::filesystem::copy_options::overwrite_existing);
    return target.string();
}

// A dictionary document as the program writes it, three columns a row.
inline std::string Document(const std::vector<std::vector<std::string>>& rows, int charset = 65001) {
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<CLASS_TABLE_XML2>\r\n<CT_ROWS>" +
                       std::to_string(rows.size()) + "</CT_ROWS>\r\n<CT_COLUMNS>3</CT_COLUMNS>\r\n<CT_CHARSET>" +
                       std::to_string(charset) + "</CT_CHARSET>\r\n";
    for (const auto& row : rows) {
        text += " <CT_R>\r\n";
        for (const std::string& cell : row) {
            text += "  <CT_C=" + std::to_string(cell.size()) + ">" + cell + "</CT_C>\r\n";
        }
        text += " </CT_R>\r\n";
    }
    return text + "</CLASS_TABLE_XML2>\r\n";
}

// The document with another row count announced.
inline std::string Announcing(std::string document, int rows) {
    const std::size_t at = document.find("<CT_ROWS>") + 9;
    return document.replace(at, document.find("</CT_ROWS>") - at, std::to_string(rows));
}

// Files that the document reader takes in only partly, or not at all, by name.
struct FaultyFile {
    std::string name;
    std::string bytes;
};

inline std::vector<FaultyFile> FaultyDictionaries() {
    const std::string whole = Document({{"a", "1", "d"}, {"b", "2", "d"}, {"c", "3", "d"}});
    const std::string twoRows = Document({{"a", "1", "d"}, {"b", "2", "d"}});
    std::string extraCell = whole;
    extraCell.insert(extraCell.find(" </CT_R>"), "  <CT_C=1>x</CT_C>\r\n");
    return {
        {"missing.lxd", {}},
        // Cut off inside the last row.
        {"damaged.lxd", whole.substr(0, whole.find("<CT_C=1>3"))},
        // The reader stops at the NUL, before the last row.
        {"nul.lxd", std::string(whole).insert(whole.find(" <CT_R>\r\n  <CT_C=1>c"), std::string(1, '\0'))},
        {"fewer.lxd", Announcing(twoRows, 3)},
        {"more.lxd", Announcing(twoRows, 1)},
        {"wide.lxd", extraCell},
        {"text.lxd", "some words"},
        {"folder.lxd", {}},
    };
}

// Puts the faulty file into the folder (a folder of that name for "folder.lxd", nothing for "missing.lxd").
inline std::string Place(const TempFolder& folder, const FaultyFile& faulty) {
    const std::string path = folder / faulty.name;
    if (faulty.name == "folder.lxd") {
        std::filesystem::create_directory(path);
    } else if (faulty.name != "missing.lxd") {
        WriteBytes(path, faulty.bytes);
    }
    return path;
}

} // namespace lexaro::test
