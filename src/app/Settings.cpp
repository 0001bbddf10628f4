#include "app/Settings.h"

#include "engine/EntryStore.h"

#include <cctype>
#include <climits>
#include <cstdio>

namespace lexaro {

namespace {

// One "%d" of scanf: blanks, an optional sign, at least one digit. Limited to the int range.
bool ScanInt(std::string_view text, std::size_t& pos, int& value) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])) != 0) {
        ++pos;
    }
    std::size_t at = pos;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at >= text.size() || std::isdigit(static_cast<unsigned char>(text[at])) == 0) {
        return false;
    }
    long long number = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) != 0) {
        if (number <= static_cast<long long>(INT_MAX) + 1) {
            number = number * 10 + (text[at] - '0');
        }
        ++at;
    }
    number = negative ? -number : number;
    value = number < INT_MIN ? INT_MIN : number > INT_MAX ? INT_MAX : static_cast<int>(number);
    pos = at;
    return true;
}

} // namespace

std::string FormatRect(const Rect& rect) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d;%d;%d;%d", rect.left, rect.top, rect.right, rect.bottom);
    return buffer;
}

Rect ScanRect(std::string_view text) {
    Rect rect;
    int* const fields[] = {&rect.left, &rect.top, &rect.right, &rect.bottom};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != ';') {
                break;
            }
            ++pos;
        }
        if (!ScanInt(text, pos, *fields[i])) {
            break;
        }
    }
    return rect;
}

bool ShouldApplyWindowRect(const Rect& rect) {
    return rect.left >= 0 && rect.top >= 0 && rect.Width() > 0 && rect.Height() > 0;
}

bool IsMaximisedDialogRect(const Rect& rect) {
    return rect.Width() == -1 && rect.Height() == -1;
}

bool ShouldApplyDialogRect(const Rect& rect) {
    return rect.Width() > 0 && rect.Height() > 0;
}

int CheckedTrainInterval(int milliseconds) {
    return milliseconds < kTrainIntervalMin || milliseconds > kTrainIntervalMax ? kTrainIntervalDefault : milliseconds;
}

int CheckedTrainMultiChoices(int count) {
    return count < kTrainMultiChoicesMin || count > kTrainMultiChoicesMax ? kTrainMultiChoicesDefault : count;
}

int CheckedChecksumType(int type) {
    return type < 0 || type >= kChecksumTypeCount ? 0 : type;
}

int CheckedReviewRetention(int percent) {
    return percent < kReviewRetentionMin || percent > kReviewRetentionMax ? kReviewRetentionDefault : percent;
}

int CheckedReviewMaxInterval(int days) {
    return days < 1 || days > kReviewMaxIntervalMax ? kReviewMaxIntervalMax : days;
}

int CheckedReviewNewCards(int count) {
    return count < 0 || count > kReviewNewCardsMax ? kReviewNewCardsDefault : count;
}

bool HideCaptionAtStart(const Settings& settings) {
    return settings.rememberPos && !settings.showTitle;
}

void ApplyEngineSettings(const Settings& settings, EntryStore& engine) {
    engine.SetSearchViceVersa(settings.searchViceVersa);
    engine.SetSearchSubstring(settings.searchSubstring);
    engine.SetNoMultiTerms(settings.noMultiTerms);
    engine.SetDoAutoAdd(settings.doAutoAdd);
    engine.SetMultiDelete(settings.multiDelete);
    engine.SetLimitMaxResults(settings.limitMaxResults);
    engine.SetMaxResults(settings.numMaxResults);
    engine.SetSeparator(settings.autoAddSeparator);
    engine.SetTranslateChar(settings.translator);
    engine.SetWildcard(settings.wildcard);
    engine.Entries().SetCharset(EffectiveCharset(settings.charset));
}

void ReadEngineSettings(const EntryStore& engine, Settings& settings) {
    settings.searchViceVersa = engine.SearchViceVersa();
    settings.searchSubstring = engine.SearchSubstring();
    settings.noMultiTerms = engine.NoMultiTerms();
    settings.doAutoAdd = engine.DoAutoAdd();
    settings.multiDelete = engine.MultiDelete();
    settings.limitMaxResults = engine.LimitMaxResults();
    settings.numMaxResults = engine.MaxResults();
    settings.autoAddSeparator = engine.Separator();
    settings.translator = engine.TranslateChar();
    settings.wildcard = engine.Wildcard();
}

} // namespace lexaro
