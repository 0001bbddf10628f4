#include "widgets/LargeTextEditSelection.h"

#include "widgets/LargeTextEdit.h"

namespace lexaro {

namespace {

// A selection up to this size is copied when the text is edited; a larger one is let go.
constexpr int kMostKeptLines = 10000;
constexpr std::size_t kLargestKept = std::size_t{1} << 20;

const QString kPlainText = QStringLiteral("text/plain");

} // namespace

CLargeTextEditSelection::CLargeTextEditSelection(const CLargeTextEdit& edit, TextPos from, TextPos to)
    : m_Edit(&edit), m_From(from), m_To(to) {}

void CLargeTextEditSelection::Keep() {
    if (m_Kept || m_Edit == nullptr) {
        return;
    }
    m_Kept = QString();
    if (m_To.line - m_From.line <= kMostKeptLines) {
        const std::string text = m_Edit->m_Store.Extract(m_From, m_To);
        if (text.size() <= kLargestKept) {
            m_Kept = QString::fromStdString(text);
        }
    }
}

QStringList CLargeTextEditSelection::formats() const {
    return {kPlainText};
}

bool CLargeTextEditSelection::hasFormat(const QString& mimeType) const {
    return mimeType == kPlainText;
}

QVariant CLargeTextEditSelection::retrieveData(const QString& mimeType, QMetaType) const {
    if (mimeType != kPlainText) {
        return {};
    }
    if (m_Kept) {
        return *m_Kept;
    }
    return m_Edit != nullptr ? QString::fromStdString(m_Edit->m_Store.Extract(m_From, m_To)) : QString();
}

} // namespace lexaro
