#include "table/ForeignForms.h"
#include "table/ForeignText.h"
#include "table/SafeFile.h"
#include "table/TextBlock.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <new>

namespace lexaro::foreign {

namespace {

constexpr std::string_view kIfoMagic = "StarDict's dict ifo file";
// StarDict's own limit for a word in its index.
constexpr std::size_t kLongestWord = 255;

struct Ifo {
    std::map<std::string, std::string, std::less<>> values;

    std::string_view Value(std::string_view key) const {
        const auto it = values.find(key);
        return it == values.end() ? std::string_view() : std::string_view(it->second);
    }
};

bool ParseIfo(std::string_view text, const std::filesystem::path& file, Ifo& ifo, std::string& error) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::size_t at = 0;
    bool first = true;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (first) {
            if (line != kIfoMagic) {
                error = FileError(file, "it is no StarDict .ifo file (its first line is not \"" +
                                            std::string(kIfoMagic) + "\")");
                return false;
            }
            first = false;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            ifo.values.emplace(std::string(line.substr(0, equals)), std::string(line.substr(equals + 1)));
        }
    }
    if (first) {
        error = FileError(file, "it is empty");
        return false;
    }
    return true;
}

std::optional<std::uint64_t> Number(std::string_view text) {
    if (text.empty() || text.size() > 19) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(ch - '0');
    }
    return value;
}

std::uint64_t Be(std::string_view bytes, std::size_t at, int width) {
    std::uint64_t value = 0;
    for (int i = 0; i < width; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

void PutBe32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

// Appends one part of an entry as text: text types as they are, markup as plain text, other types counted.
void AppendPart(char type, std::string_view part, std::string& text, int& skipped) {
    std::string plain;
    switch (type) {
    case 'm':
    case 't':
    case 'y':
    case 'l':
        plain.assign(part);
        break;
    case 'h':
    case 'g':
    case 'x':
        plain = MarkupToPlain(part);
        break;
    default:
        ++skipped;
        return;
    }
    const std::string_view trimmed = TrimLines(plain);
    if (trimmed.empty()) {
        return;
    }
    if (!text.empty()) {
        text.push_back('\n');
    }
    text.append(trimmed);
}

// The text of an entry's data. Lower-case types are text ended by a zero byte, upper-case types a 32-bit size and
// bytes; the last part of an entry with a fixed type sequence runs to the entry's end instead.
bool EntryText(std::string_view data, std::string_view sequence, std::string& text, int& skipped, std::string& what) {
    text.clear();
    std::size_t at = 0;
    std::size_t index = 0;
    while (sequence.empty() ? at < data.size() : index < sequence.size()) {
        char type = 0;
        if (sequence.empty()) {
            type = data[at++];
        } else {
            type = sequence[index];
        }
        const bool last = !sequence.empty() && index + 1 == sequence.size();
        ++index;
        std::string_view part;
        if (last) {
            part = data.substr(at);
            at = data.size();
        } else if (type >= 'a' && type <= 'z') {
            const std::size_t end = data.find('\0', at);
            if (end == std::string_view::npos) {
                what = "has a text part without its terminating zero";
                return false;
            }
            part = data.substr(at, end - at);
            at = end + 1;
        } else {
            if (data.size() - at < 4) {
                what = "is cut off inside a part's size";
                return false;
            }
            const std::uint64_t size = Be(data, at, 4);
            at += 4;
            if (size > data.size() - at) {
                what = "has a part of " + std::to_string(size) + " bytes, more than the entry holds";
                return false;
            }
            part = data.substr(at, static_cast<std::size_t>(size));
            at += static_cast<std::size_t>(size);
        }
        AppendPart(type, part, text, skipped);
    }
    return true;
}

bool StarDictLess(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto fold = [](char ch) {
            return ch >= 'A' && ch <= 'Z' ? static_cast<unsigned char>(ch - 'A' + 'a') : static_cast<unsigned char>(ch);
        };
        if (fold(a[i]) != fold(b[i])) {
            return fold(a[i]) < fold(b[i]);
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

// The first eight bytes of a word with A-Z folded, as one number (a shorter word ends in zeros): words whose numbers
// differ are in the order of their numbers under StarDictLess, so that most comparisons of a sort need one.
std::uint64_t FoldedPrefix(std::string_view word) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const unsigned char ch = i < word.size() ? static_cast<unsigned char>(word[i]) : 0;
        prefix = (prefix << 8) | (ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    }
    return prefix;
}

struct SortedWord {
    std::uint64_t prefix = 0;
    std::string_view word;
    int row = 0;
};

// A word cut to StarDict's length limit, at a character boundary, without line breaks: the start of the term.
std::string_view IndexWord(std::string_view term) {
    std::string_view word = term.substr(0, term.find_first_of("\r\n"));
    if (word.size() > kLongestWord) {
        std::size_t cut = kLongestWord;
        while (cut > 0 && (static_cast<unsigned char>(word[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        word = word.substr(0, cut);
    }
    return word;
}

} // namespace

ForeignRead ReadStarDict(const std::filesystem::path& ifoFile, ClassTable& entries) {
    ForeignRead result;
    std::string bytes;
    Ifo ifo;
    if (!ReadWhole(ifoFile, bytes, result.error) || !ParseIfo(bytes, ifoFile, ifo, result.error)) {
        return result;
    }
    const std::string_view version = ifo.Value("version");
    if (version != "2.4.2" && version != "3.0.0") {
        result.error = FileError(ifoFile, "version '" + std::string(version) + "' is none this program reads");
        return result;
    }
    const std::optional<std::uint64_t> wordCount = Number(ifo.Value("wordcount"));
    const std::optional<std::uint64_t> idxSize = Number(ifo.Value("idxfilesize"));
    const std::string_view bits = ifo.Value("idxoffsetbits");
    if (!wordCount || !idxSize || (!bits.empty() && bits != "32" && bits != "64")) {
        result.error = FileError(
            ifoFile, "it lacks a sound wordcount or idxfilesize, or has an idxoffsetbits other than 32 or 64");
        return result;
    }
    const int offsetBytes = bits == "64" ? 8 : 4;
    const std::string sequence(ifo.Value("sametypesequence"));
    result.name = std::string(ifo.Value("bookname"));

    std::filesystem::path idxFile = Sibling(ifoFile, ".idx");
    std::string idx;
    std::string what;
    if (ReadFileBytes(idxFile, idx)) {
        if (idx.size() != *idxSize) {
            result.error = FileError(idxFile, "it holds " + std::to_string(idx.size()) + " bytes, but '" +
                                                  ifoFile.string() + "' says idxfilesize=" + std::to_string(*idxSize));
            return result;
        }
    } else {
        idxFile = Sibling(ifoFile, ".idx.gz");
        std::string packed;
        if (!ReadWhole(idxFile, packed, result.error)) {
            return result;
        }
        if (!Gunzip(packed, *idxSize, idx, what) || idx.size() != *idxSize) {
            result.error = FileError(idxFile, what.empty() ? "it inflates to " + std::to_string(idx.size()) +
                                                                 " bytes, but '" + ifoFile.string() +
                                                                 "' says idxfilesize=" + std::to_string(*idxSize)
                                                           : what);
            return result;
        }
    }
    std::filesystem::path dataFile;
    std::optional<DictData> data = OpenDictData(ifoFile, dataFile, result.error);
    if (!data) {
        return result;
    }

    std::vector<Located> words;
    const std::string_view idxText = idx;
    for (std::size_t at = 0; at < idx.size();) {
        const std::string where = "word " + std::to_string(words.size() + 1);
        const std::size_t end = idx.find('\0', at);
        if (end == std::string::npos) {
            result.error = FileError(idxFile, where + " has no terminating zero");
            return result;
        }
        if (idx.size() - end - 1 < static_cast<std::size_t>(offsetBytes + 4)) {
            result.error = FileError(idxFile, where + " is cut off before its offset and size");
            return result;
        }
        Located word{idxText.substr(at, end - at), Be(idx, end + 1, offsetBytes),
                     Be(idx, end + 1 + static_cast<std::size_t>(offsetBytes), 4)};
        if (word.offset > data->Size() || word.size > data->Size() - word.offset) {
            result.error = FileError(idxFile, where + " ('" + std::string(word.term.substr(0, 64)) +
                                                  "'): its entry (offset " + std::to_string(word.offset) + ", size " +
                                                  std::to_string(word.size) + ") lies past the end of '" +
                                                  dataFile.string() + "' (" + std::to_string(data->Size()) + " bytes)");
            return result;
        }
        at = end + 1 + static_cast<std::size_t>(offsetBytes) + 4;
        words.push_back(word);
    }
    if (words.size() != *wordCount) {
        result.error = FileError(idxFile, "it holds " + std::to_string(words.size()) + " words, but '" +
                                              ifoFile.string() + "' says wordcount=" + std::to_string(*wordCount));
        return result;
    }

    // Synonyms: a word, its terminating zero and the 32-bit number of the word whose entry it shares.
    std::vector<std::pair<std::string_view, std::size_t>> synonyms;
    const std::filesystem::path synFile = Sibling(ifoFile, ".syn");
    std::string syn;
    if (ReadFileBytes(synFile, syn)) {
        for (std::size_t at = 0; at < syn.size();) {
            const std::size_t end = syn.find('\0', at);
            const std::string where = "synonym " + std::to_string(synonyms.size() + 1);
            if (end == std::string::npos || syn.size() - end - 1 < 4) {
                result.error = FileError(synFile, where + " is cut off");
                return result;
            }
            const std::uint64_t target = Be(syn, end + 1, 4);
            if (target >= words.size()) {
                result.error = FileError(synFile, where + " refers to word " + std::to_string(target) +
                                                      ", but there are " + std::to_string(words.size()));
                return result;
            }
            synonyms.emplace_back(std::string_view(syn).substr(at, end - at), static_cast<std::size_t>(target));
            at = end + 5;
        }
        const std::optional<std::uint64_t> synCount = Number(ifo.Value("synwordcount"));
        if (synCount && *synCount != synonyms.size()) {
            result.error =
                FileError(synFile, "it holds " + std::to_string(synonyms.size()) + " synonyms, but '" +
                                       ifoFile.string() + "' says synwordcount=" + std::to_string(*synCount));
            return result;
        }
    }

    std::uint64_t textSize = 0;
    for (const Located& word : words) {
        textSize += word.size;
    }
    for (const auto& synonym : synonyms) {
        textSize += words[synonym.second].size;
    }
    if (textSize > TextBudget(data->Size())) {
        result.error =
            FileError(idxFile, "its words and synonyms refer to the same text over and over (" +
                                   std::to_string(textSize) + " bytes of " + std::to_string(data->Size()) + ")");
        return result;
    }
    const std::size_t total = words.size() + synonyms.size();
    if (total > static_cast<std::size_t>(INT32_MAX - 1)) {
        result.error = FileError(idxFile, "it holds more entries than a dictionary can");
        return result;
    }
    // Read in the order of the data, so that each chunk of a dictzip file is inflated once.
    std::vector<std::size_t> order(words.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return words[a].offset < words[b].offset; });
    // Every text goes into one block that the table keeps; a synonym shares its word's explanation.
    std::vector<PlacedEntry> placed(total);
    try {
        TextBlock block(static_cast<std::size_t>(textSize + textSize / 16));
        std::string raw;
        std::string text;
        const auto placeTerm = [&](PlacedEntry& entry, std::string_view term) {
            entry.term = block.Size();
            entry.termLength = static_cast<std::uint32_t>(term.size());
            block.Append(term);
        };
        for (const std::size_t i : order) {
            if (!data->Read(words[i].offset, words[i].size, raw, what)) {
                result.error = FileError(dataFile, what);
                return result;
            }
            if (!EntryText(raw, sequence, text, result.skipped, what)) {
                result.error =
                    FileError(dataFile, "the entry of '" + std::string(words[i].term.substr(0, 64)) + "' " + what);
                return result;
            }
            if (text.size() > UINT32_MAX / 2) {
                result.error = FileError(dataFile, "the entry of '" + std::string(words[i].term.substr(0, 64)) +
                                                       "' is longer than an entry can be");
                return result;
            }
            placeTerm(placed[i], words[i].term);
            placed[i].explanation = block.Size();
            block.AppendCrLf(text);
            placed[i].explanationLength = static_cast<std::uint32_t>(block.Size() - placed[i].explanation);
        }
        for (std::size_t s = 0; s < synonyms.size(); ++s) {
            PlacedEntry& entry = placed[words.size() + s];
            entry = placed[synonyms[s].second];
            placeTerm(entry, synonyms[s].first);
        }
        std::vector<Located>().swap(words);
        std::string().swap(idx);
        std::string().swap(syn);
        data.reset();
        result.error = AdoptPlacedEntries(block, placed, entries, idxFile);
    } catch (const std::bad_alloc&) {
        result.error = FileError(idxFile, "there is not enough memory to read it");
    }
    result.complete = result.error.empty();
    return result;
}

std::string StarDictName(const std::filesystem::path& ifoFile) {
    std::string bytes;
    std::string error;
    Ifo ifo;
    if (!ReadWhole(ifoFile, bytes, error) || !ParseIfo(bytes, ifoFile, ifo, error)) {
        return {};
    }
    return std::string(ifo.Value("bookname"));
}

bool WriteStarDict(const std::filesystem::path& ifoFile, ClassTable& entries, std::string_view name,
                   const ExplanationText& explanationText, std::string& error) {
    const std::filesystem::path idxFile = Sibling(ifoFile, ".idx");
    const std::filesystem::path dataFile = Sibling(ifoFile, ".dict.dz");
    // The words are parts of the terms: the table does not change while it is written.
    std::vector<SortedWord> words;
    words.reserve(static_cast<std::size_t>(entries.RowCount()));
    for (int row = 0; row < entries.RowCount(); ++row) {
        const std::string_view word = IndexWord(entries.CellView(0, row));
        if (!word.empty()) {
            words.push_back({FoldedPrefix(word), word, row});
        }
    }
    // Equal words keep the table's order.
    std::sort(words.begin(), words.end(), [](const SortedWord& a, const SortedWord& b) {
        if (a.prefix != b.prefix) {
            return a.prefix < b.prefix;
        }
        return StarDictLess(a.word, b.word) || (!StarDictLess(b.word, a.word) && a.row < b.row);
    });

    DictzipWriter data;
    std::string idx;
    idx.reserve(words.size() * 24);
    std::uint64_t offset = 0;
    bool made = true;
    std::string text;
    for (const auto& [prefix, word, row] : words) {
        text.clear();
        AppendLf(text, TrimLines(explanationText(entries.CellView(1, row))));
        if (offset + text.size() > UINT32_MAX) {
            made = false;
            break;
        }
        idx.append(word).push_back('\0');
        PutBe32(idx, static_cast<std::uint32_t>(offset));
        PutBe32(idx, static_cast<std::uint32_t>(text.size()));
        offset += text.size();
        if (!data.Append(text)) {
            made = false;
            break;
        }
    }
    made = made && data.Finish();
    if (!made) {
        error = FileError(dataFile, "the dictionary is too large for a StarDict file with 32-bit offsets");
        errno = EFBIG;
        return false;
    }
    std::string bookname = ToLf(name);
    std::replace(bookname.begin(), bookname.end(), '\n', ' ');
    const std::string ifoText = std::string(kIfoMagic) + "\nversion=2.4.2\nwordcount=" + std::to_string(words.size()) +
                                "\nidxfilesize=" + std::to_string(idx.size()) + "\nbookname=" + bookname +
                                "\nsametypesequence=m\n";
    const std::vector<FileInSet> files{{dataFile, [&](const PieceWriter& write) { return data.WriteTo(write); }},
                                       {idxFile, [&](const PieceWriter& write) { return write(idx); }},
                                       {ifoFile, [&](const PieceWriter& write) { return write(ifoText); }}};
    return WriteSet(files, error);
}

} // namespace lexaro::foreign
