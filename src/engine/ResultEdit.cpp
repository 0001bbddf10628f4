#include "engine/ResultEdit.h"

namespace lexaro {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string_view FirstLine(std::string_view text) {
    return text.substr(0, text.find(kLineEnd));
}

bool StartsWithLine(std::string_view text, std::string_view line) {
    return text.substr(0, line.size()) == line &&
           (text.size() == line.size() || text.substr(line.size(), kLineEnd.size()) == kLineEnd);
}

// The additional dictionaries' part follows the entry after an empty line and the first "<<" name ">>" heading.
// Unchanged it is cut as a whole; otherwise at its first heading, searched from the end so that the entry's own
// text can never be taken for it.
std::string_view WithoutAdditionalPart(std::string_view body, std::string_view additionalPart) {
    if (additionalPart.empty()) {
        return body;
    }
    if (body.size() >= additionalPart.size() && body.substr(body.size() - additionalPart.size()) == additionalPart) {
        return body.substr(0, body.size() - additionalPart.size());
    }
    const std::size_t headingStart = additionalPart.find_first_not_of(kLineEnd);
    if (headingStart == std::string_view::npos) {
        return body;
    }
    std::string marker(kLineEnd);
    marker += kLineEnd;
    marker += FirstLine(additionalPart.substr(headingStart));
    const std::size_t at = body.rfind(marker);
    return at == std::string_view::npos ? body : body.substr(0, at);
}

} // namespace

ResultEdit EditOfResult(const LookupShape& shape, std::string_view shown, std::string_view pane,
                        std::string_view hitTerm) {
    const std::string_view heading = FirstLine(shown);
    if (!StartsWithLine(pane, heading)) {
        return {};
    }
    std::string expectedHeading(EntryStore::HitOpen());
    expectedHeading += hitTerm;
    expectedHeading += EntryStore::HitClose();
    if (shape.phrase || shape.ownHits != 1 || !shape.ownInTerms || shape.additionalHits != 0 || hitTerm.empty() ||
        heading != expectedHeading || shape.ownLength > shown.size()) {
        return {ResultEditKind::NoSingleEntry, {}};
    }
    std::string_view body = pane.substr(std::min(pane.size(), heading.size() + kLineEnd.size()));
    body = WithoutAdditionalPart(body, shown.substr(shape.ownLength));
    return {ResultEditKind::OneEntry, std::string(body)};
}

} // namespace lexaro
