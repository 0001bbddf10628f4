#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

inline constexpr std::string_view kNoName = "<noname>";

// What the main window opens at start, decided from the command line. The window acts on it in order:
// the training unit (when set), then the dictionary, then the tray when autoStart is set.
struct StartRequest {
    bool autoStart = false;             // "-auto": start hidden in the tray
    bool keepPayloadDictionary = false; // portable copy: the payload's dictionary stays, as "<noname>"
    std::filesystem::path trainingUnit; // a ".lxt" file to train with first
    std::filesystem::path dictionary;   // the file to open; empty: a new empty dictionary
    std::string refusedArgument;        // a file argument of no type the program opens, set aside
};

// The extension of a path as the program compares it: from the last "." of the file name on (either
// separator ends a folder name), ASCII letters in lower case; empty when there is none.
std::string LowerExtension(std::string_view path);

// Reads the arguments after the program name. Nothing, or exactly "-auto", opens the start dictionary;
// any other first argument is the file to open (relative to currentDirectory), and the rest is ignored.
// A ".lxt" file is a training unit: it is opened first, then the start dictionary. A file of no type the
// program reads (".lxd", ".csv", ".lxt") is not opened, so no dictionary gets bound to a file it cannot
// save into; the start dictionary opens instead. A portable copy ignores the command line and keeps the
// dictionary it carries.
StartRequest ReadCommandLine(const std::vector<std::string>& arguments, bool portable,
                             const std::filesystem::path& startDictionary,
                             const std::filesystem::path& currentDirectory);

} // namespace lexaro
