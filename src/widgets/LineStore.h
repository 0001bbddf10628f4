#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// A place in the text: the line (from 0) and the byte offset into that line's UTF-8 text.
struct TextPos {
    int line = 0;
    std::size_t column = 0;

    friend bool operator==(const TextPos&, const TextPos&) = default;
    friend auto operator<=>(const TextPos&, const TextPos&) = default;
};

// The text of a large editor as UTF-8 lines. The text set at once stays in one buffer and each line refers to
// its part; a line that is edited is written anew to a second buffer, so neither a million lines nor an edit
// ever copies the whole text. Lines are split at LF only: a CR before the LF stays the line's last byte, is
// not part of what the user edits (see EditableLength) and comes back unchanged with the text.
class LineStore {
public:
    // Lines edited again and again leave their old text behind in the second buffer: once that buffer holds
    // more than compactAbove bytes and more than half of it is left behind, the live lines are copied anew.
    explicit LineStore(std::size_t compactAbove = std::size_t{8} << 20);

    // Replaces the whole text in one pass and forgets the undo history.
    void SetText(std::string text);
    // The lines joined with LF, byte for byte the text that was set when nothing was edited.
    std::string Text() const;

    int LineCount() const { return static_cast<int>(m_Lines.size()); }
    std::string_view Line(int line) const;
    // The line without a final CR: the part a caret can move through.
    std::size_t EditableLength(int line) const;
    // The byte length of the longest line set or edited so far; it does not shrink when that line does.
    std::size_t LongestLineSeen() const { return m_LongestSeen; }
    std::uint64_t ByteCount() const;
    // The bytes held for edited lines, those left behind included.
    std::size_t EditedBufferSize() const { return m_Edited.size(); }

    // The position clamped into the text: an existing line, a column within its editable part.
    TextPos Clamp(TextPos pos) const;
    TextPos End() const;
    std::string Extract(TextPos from, TextPos to) const;

    // Replaces the text between the two positions (in any order) by text, whose LFs start new lines, and
    // records the change for Undo. With mergeTyping, an insertion right after the previous typed one joins
    // its undo step. Returns the position after the inserted text.
    TextPos Replace(TextPos from, TextPos to, std::string_view text, bool mergeTyping = false);

    // A change undone or redone: where its text now stands.
    struct Span {
        TextPos from;
        TextPos to;
    };
    bool CanUndo() const { return m_Done > 0; }
    bool CanRedo() const { return m_Done < m_History.size(); }
    Span Undo();
    Span Redo();
    // Where the text stands that Undo or Redo would replace next.
    Span UndoTarget() const;
    Span RedoTarget() const;
    // The next typed character starts an undo step of its own.
    void CloseTypingStep() { m_TypingOpen = false; }

private:
    struct LineRef {
        std::uint64_t start = 0; // the top bit marks a line in m_Edited
        std::uint64_t length = 0;
    };
    struct Change {
        TextPos from;
        std::string removed;
        std::string inserted;
    };

    LineRef Store(std::string_view text);
    TextPos Apply(TextPos from, TextPos to, std::string_view text);
    static TextPos EndOf(TextPos from, std::string_view text);
    void Forget(const LineRef& ref);
    void CompactIfWasteful();

    std::string m_Base;
    std::string m_Edited;
    std::size_t m_EditedLive = 0; // the bytes of m_Edited that lines still refer to
    std::size_t m_CompactAbove;
    std::vector<LineRef> m_Lines;
    std::size_t m_LongestSeen = 0;
    std::vector<Change> m_History;
    std::size_t m_Done = 0;
    bool m_TypingOpen = false;
};

} // namespace lexaro
