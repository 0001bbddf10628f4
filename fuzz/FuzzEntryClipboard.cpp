// A pasted entry from arbitrary clipboard bytes: whatever another program put under the entry format, the
// dictionary gains at most one entry with a term of its own, and undo takes it back.
#include "FuzzSupport.h"
#include "engine/Clipboard.h"
#include "engine/EntryStore.h"

#include <optional>

namespace {

class BytesClipboard : public lexaro::Clipboard {
public:
    explicit BytesClipboard(std::string bytes) : m_Bytes(std::move(bytes)) {}
    bool PutBytes(std::string_view, std::string_view bytes) override {
        m_Bytes = bytes;
        return true;
    }
    std::optional<std::string> GetBytes(std::string_view) override { return m_Bytes; }
    bool PutText(const std::u16string&) override { return false; }
    std::optional<std::u16string> GetText() override { return std::nullopt; }

private:
    std::string m_Bytes;
};

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    if (size == 0) {
        return 0;
    }
    EntryStore store;
    store.Entries().SetSize(kEntryColumns, 0);
    store.StoreEntry("house", "Haus");
    store.StoreEntry("tree", "Baum");
    store.ClearUndoLog();
    const int row = data[0] % 4;
    BytesClipboard clipboard(std::string(fuzz::Bytes(data + 1, size - 1)));

    const bool pasted = store.PasteEntry(clipboard, row);
    ClassTable& entries = store.Entries();
    fuzz::Require(entries.RowCount() == (pasted ? 3 : 2), "a paste adds exactly one entry or none");
    if (!pasted) {
        return 0;
    }
    for (int a = 0; a < entries.RowCount(); ++a) {
        for (int b = a + 1; b < entries.RowCount(); ++b) {
            fuzz::Require(!SameIgnoringAsciiCase(entries.PeekCell(kTermColumn, a), entries.PeekCell(kTermColumn, b)),
                          "a pasted term never repeats an existing one");
        }
    }
    fuzz::Require(store.UndoChanges(store.UndoGroup()), "the paste can be undone");
    fuzz::Require(entries.RowCount() == 2 && entries.PeekCell(kTermColumn, 0) == "house" &&
                      entries.PeekCell(kTermColumn, 1) == "tree",
                  "undo gives back the dictionary as it was");
    return 0;
}
