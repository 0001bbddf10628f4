#pragma once

// The dictd and StarDict readers take a set of files: a fuzz target writes its input as one of them, beside
// fixed companions, in a folder of its own.

#include "FuzzSupport.h"
#include "table/ForeignDictionary.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace lexaro::fuzz {

inline const std::filesystem::path& ForeignFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "lexaro-fuzz-XXXXXX").string();
        Require(::mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// Written plainly, without the flush to disk of the program's own writes, so that a run tries many inputs.
inline void PutFile(std::string_view name, std::string_view bytes) {
    std::ofstream out(ForeignFolder() / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(static_cast<bool>(out.flush()), "a scratch file can be written");
}

// Reads the set and checks the promise every reader keeps: a dictionary read whole, or an error that names a
// file of the set and an empty table.
inline void ReadAndCheck(std::string_view mainFile) {
    ClassTable table;
    const ForeignRead read = ReadForeignDictionary(ForeignFolder() / mainFile, table);
    if (read.complete) {
        Require(read.error.empty(), "a complete read reports no error");
        Require(table.ColumnCount() == 3, "entries have three columns");
    } else {
        Require(read.error.find(ForeignFolder().string()) != std::string::npos, "the error names the file");
        Require(table.RowCount() == 0, "a failed read leaves no entries");
    }
}

} // namespace lexaro::fuzz
