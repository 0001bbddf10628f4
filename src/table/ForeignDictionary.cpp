#include "table/ForeignDictionary.h"

#include "table/ForeignForms.h"
#include "table/SafeFile.h"
#include "table/TableForms.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>

namespace lexaro {

namespace {

struct SetName {
    std::string base; // the path without the set's extension
    ForeignForm form = ForeignForm::None;
    bool main = false; // the path is the set's .index or .ifo
};

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    return std::equal(
        suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
        [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b); });
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

SetName NameOfSet(const std::filesystem::path& path) {
    const std::string text = path.string();
    const auto cut = [&](std::string_view suffix) { return text.substr(0, text.size() - suffix.size()); };
    if (EndsWithNoCase(text, ".index")) {
        return {cut(".index"), ForeignForm::Dictd, true};
    }
    if (EndsWithNoCase(text, ".ifo")) {
        return {cut(".ifo"), ForeignForm::StarDict, true};
    }
    static constexpr std::array<std::string_view, 5> kMembers{".dict.dz", ".dict", ".idx.gz", ".idx", ".syn"};
    for (const std::string_view suffix : kMembers) {
        if (!EndsWithNoCase(text, suffix)) {
            continue;
        }
        const std::string base = cut(suffix);
        const bool data = suffix.starts_with(".dict");
        if (data && IsFile(base + ".index")) {
            return {base, ForeignForm::Dictd, false};
        }
        if (IsFile(base + ".ifo")) {
            return {base, ForeignForm::StarDict, false};
        }
        break;
    }
    return {};
}

} // namespace

namespace foreign {

std::string FileError(const std::filesystem::path& file, std::string_view what) {
    return "'" + file.string() + "': " + std::string(what);
}

std::string AdoptPlacedEntries(TextBlock& block, const std::vector<PlacedEntry>& placed, ClassTable& entries,
                               const std::filesystem::path& file) {
    std::string_view document;
    std::shared_ptr<const void> owner = block.Release(document);
    const int rows = static_cast<int>(placed.size());
    const bool adopted =
        entries.Resize(3, rows) && entries.AdoptRows(std::move(owner), document, rows, 2, [&](int row, int cell) {
            const PlacedEntry& at = placed[static_cast<std::size_t>(row)];
            return cell == 0 ? document.substr(at.term, at.termLength)
                             : document.substr(at.explanation, at.explanationLength);
        });
    return adopted ? std::string() : FileError(file, "the dictionary to read it into is busy");
}

std::filesystem::path Sibling(const std::filesystem::path& path, std::string_view extension) {
    const SetName set = NameOfSet(path);
    const std::string base = set.form == ForeignForm::None ? path.string() : set.base;
    return base + std::string(extension);
}

bool ReadWhole(const std::filesystem::path& path, std::string& bytes, std::string& error) {
    errno = 0;
    if (!ReadFileBytes(path, bytes)) {
        const std::string reason = SystemReason(errno);
        error = FileError(path, reason.empty() ? "it is no file that can be read" : reason);
        return false;
    }
    return true;
}

bool WriteSet(const std::vector<FileInSet>& files, std::string& error) {
    std::size_t failed = 0;
    if (WriteFilesSafely(files, failed)) {
        return true;
    }
    const int reason = errno;
    error =
        FileError(files[failed].target, SystemReason(reason).empty() ? "it cannot be written" : SystemReason(reason));
    errno = reason;
    return false;
}

std::optional<DictData> OpenDictData(const std::filesystem::path& main, std::filesystem::path& file,
                                     std::string& error) {
    file = Sibling(main, ".dict.dz");
    if (!IsFile(file)) {
        file = Sibling(main, ".dict");
    }
    std::string bytes;
    if (!ReadWhole(file, bytes, error)) {
        return std::nullopt;
    }
    std::string what;
    std::optional<DictData> data = DictData::FromBytes(std::move(bytes), what);
    if (!data) {
        error = FileError(file, what);
    }
    return data;
}

} // namespace foreign

ForeignForm ForeignFormOf(const std::filesystem::path& path) {
    return NameOfSet(path).form;
}

std::filesystem::path ForeignMainFile(const std::filesystem::path& path) {
    const SetName set = NameOfSet(path);
    switch (set.form) {
    case ForeignForm::Dictd:
        return set.base + ".index";
    case ForeignForm::StarDict:
        return set.base + ".ifo";
    case ForeignForm::None:
        break;
    }
    return path;
}

std::vector<std::filesystem::path> ForeignSetFiles(const std::filesystem::path& path) {
    const SetName set = NameOfSet(path);
    switch (set.form) {
    case ForeignForm::Dictd:
        return {set.base + ".index", set.base + ".dict.dz", set.base + ".dict"};
    case ForeignForm::StarDict:
        return {set.base + ".ifo",  set.base + ".idx",     set.base + ".idx.gz",
                set.base + ".dict", set.base + ".dict.dz", set.base + ".syn"};
    case ForeignForm::None:
        break;
    }
    return {path};
}

std::vector<std::vector<std::filesystem::path>> ForeignFileChoices(const std::filesystem::path& path) {
    const SetName set = NameOfSet(path);
    switch (set.form) {
    case ForeignForm::Dictd:
        return {{set.base + ".index"}, {set.base + ".dict.dz", set.base + ".dict"}};
    case ForeignForm::StarDict:
        return {{set.base + ".ifo"},
                {set.base + ".idx", set.base + ".idx.gz"},
                {set.base + ".dict.dz", set.base + ".dict"},
                {set.base + ".syn"}};
    case ForeignForm::None:
        break;
    }
    return {{path}};
}

ForeignRead ReadForeignDictionary(const std::filesystem::path& path, ClassTable& entries) {
    ForeignRead result;
    if (!forms::IsFree(entries)) {
        result.error = foreign::FileError(path, "the dictionary to read it into is busy");
        return result;
    }
    entries.Clear(true);
    const std::filesystem::path main = ForeignMainFile(path);
    switch (ForeignFormOf(path)) {
    case ForeignForm::Dictd:
        result = foreign::ReadDictd(main, entries);
        break;
    case ForeignForm::StarDict:
        result = foreign::ReadStarDict(main, entries);
        break;
    case ForeignForm::None:
        result.error = foreign::FileError(path, "it is neither a dictd nor a StarDict dictionary");
        break;
    }
    if (!result.complete) {
        entries.Clear(true);
    }
    entries.SetFileName({});
    entries.SetModified(false);
    return result;
}

std::string ForeignDictionaryName(const std::filesystem::path& path) {
    switch (ForeignFormOf(path)) {
    case ForeignForm::Dictd:
        return foreign::DictdName(ForeignMainFile(path));
    case ForeignForm::StarDict:
        return foreign::StarDictName(ForeignMainFile(path));
    case ForeignForm::None:
        break;
    }
    return {};
}

bool WriteForeignDictionary(ForeignForm form, const std::filesystem::path& target, ClassTable& entries,
                            std::string_view name, const ExplanationText& explanationText, std::string& error) {
    const ExplanationText text =
        explanationText ? explanationText : [](std::string_view explanation) { return std::string(explanation); };
    forms::SharedHold hold(entries);
    if (!hold.Held()) {
        error = foreign::FileError(target, "the dictionary is busy");
        errno = EBUSY;
        return false;
    }
    switch (form) {
    case ForeignForm::Dictd:
        return foreign::WriteDictd(target, entries, name, text, error);
    case ForeignForm::StarDict:
        return foreign::WriteStarDict(target, entries, name, text, error);
    case ForeignForm::None:
        break;
    }
    error = foreign::FileError(target, "it is neither a dictd nor a StarDict dictionary");
    return false;
}

std::vector<InstalledDictionary> FindInstalledDictionaries(const std::vector<std::filesystem::path>& folders) {
    std::vector<InstalledDictionary> found;
    const auto look = [&](const std::filesystem::path& folder, auto& self, int depth) -> void {
        std::error_code error;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            const std::filesystem::path& path = it->path();
            if (depth == 0 && it->is_directory(error)) {
                self(path, self, 1);
            } else if (NameOfSet(path).main && it->is_regular_file(error)) {
                std::string name = ForeignDictionaryName(path);
                found.push_back({path, name.empty() ? path.stem().string() : std::move(name)});
            }
        }
    };
    for (const std::filesystem::path& folder : folders) {
        look(folder, look, 0);
    }
    std::sort(found.begin(), found.end(), [](const InstalledDictionary& a, const InstalledDictionary& b) {
        const auto folded = [](const std::string& name) {
            std::string lower = name;
            for (char& ch : lower) {
                ch = ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
            }
            return lower;
        };
        return std::pair(folded(a.name), a.file) < std::pair(folded(b.name), b.file);
    });
    return found;
}

} // namespace lexaro
