#pragma once

// The files the benchmarks read, made by bench/run in a scratch folder named by LEXARO_BENCH_DATA.

#include "engine/EntryStore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

// Look-ups cycle through this many different words, more than a table remembers answers for, so that every
// timed look-up really searches.
inline constexpr std::size_t kLookupWords = 64;

// Plain lower-case words of 4 to 12 letters that are terms of the first 464,179 rows of the 1M dictionary (the
// rows of the original dictionary, so they are terms of the additional dictionaries too), spread over them.
inline std::vector<std::string> HitWords() {
    static const std::vector<std::string> words = [] {
        std::vector<std::string> picked;
        EntryStore& store = MillionEntries();
        constexpr int kOriginalRows = 464179;
        for (std::size_t k = 0; k < kLookupWords; ++k) {
            for (int row = static_cast<int>(k) * (kOriginalRows / static_cast<int>(kLookupWords)); row < kOriginalRows;
                 ++row) {
                const std::string term = store.Entries().PeekCell(kTermColumn, row);
                const bool plain =
                    term.size() >= 4 && term.size() <= 12 &&
                    std::all_of(term.begin(), term.end(), [](char ch) { return ch >= 'a' && ch <= 'z'; });
                if (plain && std::find(picked.begin(), picked.end(), term) == picked.end()) {
                    picked.push_back(term);
                    break;
                }
            }
        }
        return picked;
    }();
    return words;
}

// Words that are no term and occur in no explanation: the missing word with two more letters.
inline std::vector<std::string> MissingWords() {
    std::vector<std::string> words;
    for (std::size_t k = 0; k < kLookupWords; ++k) {
        words.push_back(std::string(kMissingWord) + static_cast<char>('a' + k % 26) + static_cast<char>('a' + k / 26));
    }
    return words;
}

} // namespace lexaro::bench
