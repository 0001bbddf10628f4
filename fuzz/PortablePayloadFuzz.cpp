// The portable payload recogniser on arbitrary program files. Each input is tried as it is, with the
// trailer's marker appended (so that its last four bytes are taken as the payload offset), and split
// into a program, a dictionary and texts that are composed into a copy and must be found again.
#include "FuzzSupport.h"
#include "app/PortablePayload.h"

#include <algorithm>

namespace {

using lexaro::fuzz::Require;

void CheckFile(std::string_view file) {
    // The recogniser checks every offset before it reads, so it never asks for bytes past the end.
    const auto readAt = [file](std::uint64_t offset, std::size_t count, char* out) {
        Require(offset <= file.size() && count <= file.size() - offset, "reads stay inside the file");
        std::copy_n(file.data() + offset, count, out);
        return true;
    };
    const auto layout = lexaro::LocatePortablePayload(file.size(), readAt);
    const auto payload = lexaro::FindPortablePayload(file);
    Require(layout.has_value() == payload.has_value(), "both readers agree");
    if (!payload) {
        return;
    }
    Require(payload->offset + 8 + payload->dictionaryText.size() + payload->interfaceText.size() +
                    lexaro::kPortableTrailerSize ==
                file.size(),
            "the payload fills the file exactly");
    Require(layout->dictionaryLength == payload->dictionaryText.size(), "dictionary length");
    Require(layout->textsLength == payload->interfaceText.size(), "texts length");

    // Composing the same parts behind the same program gives the file back byte for byte.
    const auto composed =
        lexaro::ComposePortablePayload(payload->offset, payload->dictionaryText, payload->interfaceText);
    Require(composed.has_value(), "a found payload can be composed");
    Require(std::string(file.substr(0, payload->offset)) + *composed == file, "composing gives the file back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = lexaro::fuzz::Bytes(data, size);
    CheckFile(input);
    CheckFile(std::string(input) + std::string(lexaro::kPortableMagic));

    if (size >= 2) {
        const std::string_view rest = input.substr(2);
        const std::size_t programEnd = std::min<std::size_t>(data[0], rest.size());
        const std::size_t dictionaryEnd = std::min<std::size_t>(programEnd + data[1], rest.size());
        const std::string_view program = rest.substr(0, programEnd);
        const std::string_view dictionary = rest.substr(programEnd, dictionaryEnd - programEnd);
        const std::string_view texts = rest.substr(dictionaryEnd);
        const auto composed = lexaro::ComposePortablePayload(program.size(), dictionary, texts);
        Require(composed.has_value(), "small parts always compose");
        const std::string copy = std::string(program) + *composed;
        const auto found = lexaro::FindPortablePayload(copy);
        Require(found.has_value() && found->offset == program.size() && found->dictionaryText == dictionary &&
                    found->interfaceText == texts,
                "a composed copy is found with its parts");
        CheckFile(copy);
    }
    return 0;
}
