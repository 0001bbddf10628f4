// Feeds arbitrary bytes to both forms of the key/value document reader and checks that what was read
// is written back and read again unchanged.
//
// Input layout: the first byte gives the length of a key (modulo 32) taken from the following bytes;
// the rest is the document text.

#include "table/InitFileDocument.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using lexaro::InitFileDocument;
using lexaro::InitFileForm;

// Keys as the program names them; other bytes could make a key's own tags overlap its value.
bool IsPlainKey(std::string_view key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
    });
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Walks every value of key and checks that each lies inside the body and that the cursor only moves on.
void WalkKey(InitFileDocument& document, std::string_view key) {
    std::size_t last = 0;
    for (std::string value = document.GetValue(0, key); !value.empty(); value = document.GetValueNext(key)) {
        Check(document.Cursor() > last);
        Check(document.Cursor() <= document.Body().size());
        Check(value.size() < document.Body().size());
        last = document.Cursor();
    }
    document.GetString(key, "default");
    document.GetInt(key, 7);
    document.GetBool(key, true);
    Check(document.Cursor() <= document.Body().size());
}

void ExerciseForm(InitFileForm form, std::string_view key, std::string_view text) {
    InitFileDocument document(form);
    document.AddValue("Keep", "me");
    const std::string before = document.Body();
    const bool parsed = document.ParseText(text);
    if (!parsed) {
        Check(form == InitFileForm::Element);
        Check(document.Body() == before);
        return;
    }
    Check(document.Cursor() == 0);
    for (const std::string_view fixed : {"InitFile", "LanguageName", "A", "Text", ""}) {
        WalkKey(document, fixed);
    }
    WalkKey(document, key);

    // What was read composes into a text that reads back as the same document.
    InitFileDocument again(form);
    Check(again.ParseText(document.ComposeText()));
    Check(again.Root() == document.Root());
    Check(again.Body() == document.Body());

    // A value added under a plain key is found again when it does not contain its own closing delimiter.
    const std::string close = form == InitFileForm::Element ? "</" + std::string(key) + ">" : "\"";
    if (IsPlainKey(key) && text.size() < 4096 && text.find(close) == std::string_view::npos) {
        InitFileDocument fresh(form);
        fresh.AddValue(key, text);
        Check(fresh.GetValue(0, key) == text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t keyLength = std::min<std::size_t>(static_cast<std::uint8_t>(input[0]) % 32, size - 1);
    const std::string_view key = input.substr(1, keyLength);
    const std::string_view text = input.substr(1 + keyLength);
    ExerciseForm(InitFileForm::Element, key, text);
    ExerciseForm(InitFileForm::Pair, key, text);
    return 0;
}
