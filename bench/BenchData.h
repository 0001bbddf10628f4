#pragma once

// The files the benchmarks read, made by bench/run in a scratch folder named by LEXARO_BENCH_DATA.

#include "engine/EntryStore.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace lexaro::bench {

inline std::filesystem::path DataFile(const char* name) {
    const char* folder = std::getenv("LEXARO_BENCH_DATA");
    const std::filesystem::path path = std::filesystem::path(folder ? folder : "data") / name;
    if (!std::filesystem::exists(path)) {
        std::fprintf(stderr, "missing benchmark data %s (set LEXARO_BENCH_DATA or use bench/run)\n", path.c_str());
        std::exit(2);
    }
    return path;
}

inline std::string ReadText(const char* name) {
    std::ifstream in(DataFile(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The 1,000,000-entry dictionary, loaded once per program and shared by the benchmarks that only read it.
inline EntryStore& MillionEntries() {
    static EntryStore* store = [] {
        auto* loaded = new EntryStore();
        if (!loaded->Entries().LoadDocumentFile(DataFile("eng-deu-1M.lxd")) ||
            loaded->Entries().RowCount() != 1000000) {
            std::fprintf(stderr, "the 1M dictionary did not load\n");
            std::exit(2);
        }
        return loaded;
    }();
    return *store;
}

// A word that is no term and occurs in no explanation of the benchmark dictionaries.
inline constexpr const char* kMissingWord = "qxzvjwq";
// A term of the dictionary with one entry.
inline constexpr const char* kHitWord = "house";

} // namespace lexaro::bench
