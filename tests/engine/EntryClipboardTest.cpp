#include "EntryStoreTestSupport.h"
#include "engine/Clipboard.h"

#include <gtest/gtest.h>
#include <map>

using lexaro::Clipboard;
using lexaro::EntryStore;
using lexaro::test::FakeClock;
using lexaro::test::Rows;
using lexaro::test::Snapshot;

namespace {

// The clipboard of one desktop session, shared by every store in the test.
class MemoryClipboard : public Clipboard {
public:
    bool busy = false;
    std::map<std::string, std::string, std::less<>> formats;

    bool PutBytes(std::string_view format, std::string_view bytes) override {
        if (busy) {
            return false;
        }
        formats.clear();
        formats[std::string(format)] = std::string(bytes);
        return true;
    }
    std::optional<std::string> GetBytes(std::string_view format) override {
        const auto found = formats.find(format);
        return found == formats.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    bool PutText(const std::u16string&) override { return !busy; }
    std::optional<std::u16string> GetText() override { return std::nullopt; }
};

struct Stores {
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    EntryStore source{clock};
    EntryStore target{clock};
    MemoryClipboard clipboard;

    Stores() {
        source.SetNoMultiTerms(false);
        for (const char* term : {"house", "tree", "dog"}) {
            source.StoreEntry(term, std::string(term) + " explained");
        }
        source.Entries().SetCell(2, 1, "2001-02-03 04:05:06");
    }
};

} // namespace

TEST(EntryClipboardCopy, PutsTheEntryAsAOneRowXmlTableWithItsNul) {
    Stores s;
    ASSERT_TRUE(s.source.CopyEntry(s.clipboard, 1, false));
    const std::string payload = s.clipboard.formats.at("CLIP_LEXARO");
    ASSERT_FALSE(payload.empty());
    EXPECT_EQ(payload.back(), '\0');
    EXPECT_NE(payload.find("<CLASS_TABLE_ROWS>1</CLASS_TABLE_ROWS>"), std::string::npos);
    EXPECT_NE(payload.find("<CLASS_TABLE_COLUMN>tree explained</CLASS_TABLE_COLUMN>"), std::string::npos);
    EXPECT_EQ(s.source.Entries().RowCount(), 3);
}

TEST(EntryClipboardCopy, FailsWithoutAnEntryAndLeavesTheClipboardAlone) {
    Stores s;
    s.clipboard.formats["text/plain"] = "keep";
    EXPECT_FALSE(s.source.CopyEntry(s.clipboard, -1, false));
    EXPECT_FALSE(s.source.CopyEntry(s.clipboard, 3, true));
    EXPECT_EQ(s.clipboard.formats.count("text/plain"), 1u);
    EXPECT_EQ(s.source.Entries().RowCount(), 3);
}

TEST(EntryClipboardCopy, CutDeletesOnlyWhenTheClipboardTookItAndUndoBringsItBack) {
    Stores s;
    const Rows before = Snapshot(s.source.Entries());
    s.clipboard.busy = true;
    EXPECT_FALSE(s.source.CopyEntry(s.clipboard, 0, true));
    EXPECT_EQ(Snapshot(s.source.Entries()), before);
    s.clipboard.busy = false;
    s.source.ClearUndoLog();
    ASSERT_TRUE(s.source.CopyEntry(s.clipboard, 0, true));
    EXPECT_EQ(s.source.Entries().RowCount(), 2);
    ASSERT_TRUE(s.source.UndoChanges(0));
    EXPECT_EQ(Snapshot(s.source.Entries()), before);
}

TEST(EntryClipboardPaste, RenamesClashingTermsIgnoringCaseAndKeepsTheDate) {
    Stores s;
    s.target.StoreEntry("HOUSE", "x");
    s.target.StoreEntry("house (1)", "y");
    ASSERT_TRUE(s.source.CopyEntry(s.clipboard, 0, false));
    ASSERT_TRUE(s.target.PasteEntry(s.clipboard, 5));
    EXPECT_EQ(s.target.Entries().GetCell(0, 2), "house (2)");
    ASSERT_TRUE(s.source.CopyEntry(s.clipboard, 1, false));
    ASSERT_TRUE(s.target.PasteEntry(s.clipboard, 0));
    EXPECT_EQ(s.target.Entries().GetCell(0, 0), "tree") << "inserted before the row after the current entry";
    EXPECT_EQ(s.target.Entries().GetCell(2, 0), "2001-02-03 04:05:06");
}

TEST(EntryClipboardPaste, PlacesAfterTheCurrentEntryOrAtTheEnd) {
    Stores s;
    EntryStore empty(s.clock);
    ASSERT_TRUE(s.source.CopyEntry(s.clipboard, 2, false));
    ASSERT_TRUE(empty.PasteEntry(s.clipboard, 1));
    EXPECT_EQ(Snapshot(empty.Entries()).size(), 1u);
    EXPECT_EQ(empty.Entries().GetCell(0, 0), "dog");

    // Current entry on the second-to-last row: the pasted entry goes after the last one.
    ASSERT_TRUE(s.source.PasteEntry(s.clipboard, 2));
    EXPECT_EQ(s.source.Entries().GetCell(0, 3), "dog (1)");
    // Further up it goes directly after the current entry.
    ASSERT_TRUE(s.source.PasteEntry(s.clipboard, 1));
    EXPECT_EQ(s.source.Entries().GetCell(0, 1), "dog (2)");
}

TEST(EntryClipboardPaste, RejectsMissingOrHostilePayloadsWithoutChanges) {
    Stores s;
    const Rows before = Snapshot(s.source.Entries());
    EXPECT_FALSE(s.source.PasteEntry(s.clipboard, 0));
    s.clipboard.formats["CLIP_LEXARO"] = "garbage";
    EXPECT_FALSE(s.source.PasteEntry(s.clipboard, 0));
    s.clipboard.formats["CLIP_LEXARO"] =
        "<CLASS_TABLE_ROWS>0</CLASS_TABLE_ROWS><CLASS_TABLE_COLUMNS>3</CLASS_TABLE_COLUMNS>";
    EXPECT_FALSE(s.source.PasteEntry(s.clipboard, 0));
    s.clipboard.formats["CLIP_LEXARO"] = std::string("<CLASS_TABLE_ROWS>1</CLASS_TABLE_ROWS>\0rest", 44);
    EXPECT_FALSE(s.source.PasteEntry(s.clipboard, 0));
    EXPECT_EQ(Snapshot(s.source.Entries()), before);
}

TEST(EntryClipboardPaste, AVeryLongTermIsRenamedWithoutLimit) {
    Stores s;
    const std::string longTerm(20000, 'w');
    s.source.StoreEntry(longTerm, "long");
    const int row = s.source.Entries().RowCount() - 1;
    ASSERT_TRUE(s.source.CopyEntry(s.clipboard, row, false));
    ASSERT_TRUE(s.source.PasteEntry(s.clipboard, row + 1));
    EXPECT_EQ(s.source.Entries().GetCell(0, row + 1), longTerm + " (1)");
}
