#include "engine/DictionaryCache.h"
#include "engine/EntryStore.h"
#include "engine/PhraseTranslator.h"

namespace lexaro {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The part after the last slash or backslash, extension included; the whole path when it has neither.
std::string_view FileNameOf(std::string_view path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

// How one pass finds its hits: FindRow with a mode, or FindRowAround with the text around a wildcard.
struct HitMatcher {
    std::string_view text;
    std::string_view suffix;
    int mode = kMatchEqualNoCase;
    bool around = false;

    int Next(ClassTable& table, int column, int fromRow) const {
        return around ? table.FindRowAround(column, fromRow, text, suffix) : table.FindRow(column, fromRow, text, mode);
    }
};

// Only the first occurrence of the wildcard counts. It stands for at least one byte: at the end it leaves a prefix
// match, at the start a suffix match, anywhere else a match of the texts before and after it.
HitMatcher MatcherFor(std::string_view text, std::string_view wildcard, bool partial) {
    HitMatcher matcher;
    matcher.text = text;
    matcher.mode = partial ? kMatchContains : kMatchEqualNoCase;
    const auto at = wildcard.empty() ? std::string_view::npos : text.find(wildcard);
    if (at == std::string_view::npos) {
        return matcher;
    }
    if (at == text.size() - wildcard.size()) {
        matcher.text = text.substr(0, at);
        matcher.mode = kMatchBeginsWith;
    } else if (at == 0) {
        matcher.text = text.substr(wildcard.size());
        matcher.mode = kMatchEndsWith;
    } else {
        matcher.text = text.substr(0, at);
        matcher.suffix = text.substr(at + wildcard.size());
        matcher.around = true;
    }
    return matcher;
}

bool IsPhrase(std::string_view text, std::string_view translateChar) {
    return !text.empty() && !translateChar.empty() && text.front() == translateChar.front() &&
           text.back() == translateChar.front();
}

} // namespace

bool EntryStore::IsSearchPattern(std::string_view text) const {
    return IsPhrase(text, m_TranslateChar) || (!m_Wildcard.empty() && text.find(m_Wildcard) != std::string_view::npos);
}

bool EntryStore::SearchTable(std::string_view text, ClassTable& table, bool partial, int searchColumn,
                             int shownColumn) {
    if (text.empty()) {
        return false;
    }
    if (IsPhrase(text, m_TranslateChar)) {
        m_LastLookup.phrase = true;
        // The translate character alone is both ends of an empty phrase.
        return TranslatePhrase(text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string_view(), table);
    }
    const HitMatcher matcher = MatcherFor(text, m_Wildcard, partial);
    int row = matcher.Next(table, searchColumn, 0);
    const bool found = row != -1;
    bool first = true;
    // The limit is tested before each hit; the hard cap bounds the result text even without a limit.
    while (row != -1 && (!m_LimitMaxResults || m_ResultCount < m_MaxResults) && m_ResultCount < kSearchHitCap) {
        if (m_CurrentRow == -1 && &table == &m_Entries) {
            m_CurrentRow = row;
        }
        if (!first) {
            m_ResultText += kLineEnd;
            m_ResultText += RuleLine();
            m_ResultText += kLineEnd;
        }
        first = false;
        m_ResultText += HitOpen();
        m_ResultText += table.GetCell(searchColumn, row);
        m_ResultText += HitClose();
        m_ResultText += kLineEnd;
        m_ResultText += table.GetCell(shownColumn, row);
        row = matcher.Next(table, searchColumn, row + 1);
        ++m_ResultCount;
    }
    return found;
}

bool EntryStore::TranslatePhrase(std::string_view phrase, ClassTable& table) {
    // Nothing between the two translate characters translates to nothing: an empty result, not a hit.
    if (phrase.empty()) {
        return false;
    }
    PhraseTranslator translator(table);
    translator.SetText(phrase);
    const std::string& translation = translator.TranslateAll();
    m_ResultText += translation;
    if (translation != phrase) {
        m_ResultCount = 1;
    }
    return true;
}

bool EntryStore::SearchPasses(std::string_view text, ClassTable& table, bool substring) {
    struct Pass {
        bool runs;
        bool partial;
        int searchColumn;
        int shownColumn;
    };
    const Pass passes[] = {{true, false, kTermColumn, kExplanationColumn},
                           {m_SearchViceVersa, false, kExplanationColumn, kTermColumn},
                           {substring, true, kTermColumn, kExplanationColumn},
                           {m_SearchViceVersa, true, kExplanationColumn, kTermColumn}};
    for (const Pass& pass : passes) {
        if (pass.runs && SearchTable(text, table, pass.partial, pass.searchColumn, pass.shownColumn)) {
            if (&table == &m_Entries) {
                m_LastLookup.ownInTerms = pass.searchColumn == kTermColumn;
            }
            return true;
        }
    }
    return false;
}

bool EntryStore::Lookup(std::string_view text, bool substring, bool additional, const ClassTable& dictionaries,
                        std::string_view notFound, std::string& out) {
    std::vector<std::filesystem::path> paths;
    if (additional) {
        paths.reserve(static_cast<std::size_t>(dictionaries.RowCount()));
        for (int row = 0; row < dictionaries.RowCount(); ++row) {
            paths.emplace_back(dictionaries.PeekCell(0, row));
        }
    }
    return Lookup(text, substring, additional, paths, notFound, out);
}

bool EntryStore::Lookup(std::string_view text, bool substring, bool additional,
                        const std::vector<std::filesystem::path>& dictionaries, std::string_view notFound,
                        std::string& out) {
    m_ResultText.clear();
    m_ResultCount = 0;
    m_LastLookup = LookupShape{};
    bool found = SearchPasses(text, m_Entries, substring);
    m_LastLookup.ownHits = m_LastLookup.phrase ? 0 : m_ResultCount;
    m_LastLookup.ownLength = m_ResultText.size();
    if (additional) {
        // The limit applies to the open dictionary and to the additional ones separately; the count reported
        // afterwards covers both, so that a text found only in the open dictionary still counts as found.
        const int ownHits = m_ResultCount;
        m_ResultCount = 0;
        if (!m_Additional) {
            m_Additional = std::make_shared<DictionaryCache>();
        }
        m_Additional->KeepOnly(dictionaries);
        for (const std::filesystem::path& path : dictionaries) {
            ClassTable* loaded = m_Additional->Get(path);
            if (!loaded) {
                continue;
            }
            if (!m_ResultText.empty()) {
                m_ResultText += kLineEnd;
                m_ResultText += kLineEnd;
            }
            m_ResultText += DictionaryOpen();
            m_ResultText += FileNameOf(path.native());
            m_ResultText += DictionaryClose();
            m_ResultText += kLineEnd;
            const bool hit = SearchPasses(text, *loaded, substring);
            if (!hit) {
                m_ResultText += notFound;
            }
            found = found || hit;
        }
        m_LastLookup.additionalHits = m_ResultCount;
        m_ResultCount += ownHits;
    }
    out = m_ResultText;
    return found;
}

} // namespace lexaro
