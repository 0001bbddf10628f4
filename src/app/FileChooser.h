#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace lexaro {

// A file chosen by the user and the index of the filter that was selected (0 for the first).
struct ChosenFile {
    std::filesystem::path path;
    int filterIndex = 0;
};

// Filters use the program's own form: "Name(*.ext)|*.ext|Other(*.x)|*.x||".
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::optional<ChosenFile> ChooseOpen(const std::u16string& caption, const std::u16string& filter,
                                                 const std::filesystem::path& folder) = 0;
    // defaultExtension (without the point) is appended when the user types a name without one.
    virtual std::optional<ChosenFile> ChooseSave(const std::u16string& caption, const std::u16string& filter,
                                                 const std::filesystem::path& suggested,
                                                 const std::u16string& defaultExtension) = 0;
};

} // namespace lexaro
