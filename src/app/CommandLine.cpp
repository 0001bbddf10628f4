#include "app/CommandLine.h"

#include "app/DictionaryFiles.h"

namespace lexaro {

std::string LowerExtension(std::string_view path) {
    const std::size_t nameStart = path.find_last_of("/\\");
    const std::string_view name = nameStart == std::string_view::npos ? path : path.substr(nameStart + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    std::string extension(name.substr(dot));
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return extension;
}

StartRequest ReadCommandLine(const std::vector<std::string>& arguments, bool portable,
                             const std::filesystem::path& startDictionary,
                             const std::filesystem::path& currentDirectory) {
    StartRequest request;
    if (portable) {
        request.keepPayloadDictionary = true;
        request.dictionary = std::string(kNoName);
        return request;
    }
    request.dictionary = startDictionary;
    if (arguments.empty()) {
        return request;
    }
    const std::string& argument = arguments.front();
    if (argument == "-auto") {
        request.autoStart = true;
        return request;
    }
    std::filesystem::path file(argument);
    if (file.is_relative() && !currentDirectory.empty()) {
        file = currentDirectory / file;
    }
    const FileKind kind = KindOfFile(file.string());
    if (kind == FileKind::Other) {
        request.refusedArgument = argument;
        return request;
    }
    if (kind == FileKind::TrainingUnit) {
        request.trainingUnit = file;
    } else {
        request.dictionary = file;
    }
    return request;
}

} // namespace lexaro
