#pragma once

#include "widgets/LineStore.h"

#include <QMimeData>
#include <QPointer>
#include <cstdint>
#include <optional>

namespace lexaro {

class CLargeTextEdit;

// A selection of a CLargeTextEdit offered as the primary selection. The text is made only when another
// program asks for it, so selecting all of a million lines costs nothing; when the field's text changes, a
// small selection is kept as it was, a large one is no longer offered.
class CLargeTextEditSelection : public QMimeData {
    Q_OBJECT

public:
    CLargeTextEditSelection(const CLargeTextEdit& edit, TextPos from, TextPos to);
    // Called before the field's text changes.
    void Keep();

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    QPointer<const CLargeTextEdit> m_Edit;
    TextPos m_From;
    TextPos m_To;
    std::optional<QString> m_Kept;
};

} // namespace lexaro
