#pragma once

#include "app/EntryListTools.h"
#include "app/MassDataEdit.h"
#include "ui/qt/ToolWindow.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace lexaro {

class CLargeTextEdit;
class EntryStore;

// Edits the whole dictionary, or adds to it, as separated text in one large field (one line per entry, so a
// million entries make millions of lines).
class CMassDataDlg : public QDialog {
    Q_OBJECT

public:
    // In add mode the field starts empty and OK appends; otherwise it holds every entry and OK replaces them.
    CMassDataDlg(const ToolWindowContext& context, EntryStore& engine, bool addMode, const QString& separator,
                 bool withDates, QWidget* parent = nullptr);

    // Asks first, in edit mode, when the text cannot show some entries as they are; Rejected when the user declines.
    int exec() override;
    bool ConfirmOpening();
    void accept() override;
    // Runs the error check; false when the user ended it with Cancel.
    bool CheckForErrors();
    void GoTo();

private:
    void CreateMenu(QVBoxLayout* layout);
    // The first problem the error check finds, if any, and whether to apply the text all the same.
    bool ConfirmApplying();
    QString IssueText(const LineSource& lines, std::pair<int, MassLineCheck> issue) const;
    MassDataFormat Format() const;
    void UpdateLineCount();
    void ScrollToLine(int line);
    LineSource Lines() const;

    ToolWindowContext m_Context;
    EntryStore& m_Engine;
    bool m_AddMode;
    QString m_Separator;
    bool m_WithDates;
    LineFinder m_Finder;

    QLabel* m_LBLHint = nullptr;
    QCheckBox* m_CHKSingleLines = nullptr;
    CLargeTextEdit* m_EDTText = nullptr;
    QLabel* m_LBLLines = nullptr;
    QLineEdit* m_EDTGoto = nullptr;
};

} // namespace lexaro
