#pragma once

#include "engine/EntryStore.h"

#include <string>
#include <string_view>

namespace lexaro {

// What the explanation pane holds when Modify or "+" is given after a look-up.
enum class ResultEditKind {
    // The result's first line is gone or changed: the pane holds the user's own text.
    NoResult,
    // The result shows exactly one entry of the open dictionary, found by its term.
    OneEntry,
    // Several hits, hits of additional dictionaries, a hit in the explanations, a translated phrase, no hit at all,
    // or an entry that changed since the look-up: no single entry to store.
    NoSingleEntry,
};

struct ResultEdit {
    ResultEditKind kind = ResultEditKind::NoResult;
    // For OneEntry: the text under the hit's heading, the user's edits kept, the additional dictionaries' part cut.
    std::string explanation;
};

// Takes a look-up's result text back to the entry it shows. shown is the result text as the pane showed it
// (UTF-8, CR LF), pane the pane's text now, hitTerm the term of the current entry (empty when there is none).
ResultEdit EditOfResult(const LookupShape& shape, std::string_view shown, std::string_view pane,
                        std::string_view hitTerm);

} // namespace lexaro
