#pragma once

#include "ui/qt/ToolWindow.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QString>
#include <utility>
#include <vector>

class QCheckBox;
class QTableView;

namespace lexaro {

class ClassTable;
class EntryStore;

// The entry table as a list model: rows are read from the table when they are drawn, so a list of a million
// entries costs nothing until it is scrolled.
class EntryTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    EntryTableModel(ClassTable& entries, QStringList headers, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // To be called after the table changed behind the model's back.
    void Reload();

private:
    ClassTable& m_Entries;
    QStringList m_Headers;
};

// The sort choice: 1 term ascending, 2 term descending, 3 and 4 explanation, 5 and 6 date.
class CSortDlg : public QDialog {
    Q_OBJECT

public:
    explicit CSortDlg(const ToolWindowContext& context, QWidget* parent = nullptr);
    int Choice() const { return m_Choice; }

private:
    int m_Choice = 1;
};

// Every entry of the dictionary in one list, with the commands that work on the whole table.
class COverviewDlg : public QDialog {
    Q_OBJECT

public:
    COverviewDlg(const ToolWindowContext& context, EntryStore& engine, const QString& path, const QString& separator,
                 QWidget* parent = nullptr);

    // The row the user double-clicked, -1 when none.
    int PickedRow() const { return m_PickedRow; }
    // The selected rows as ranges (first, last), in table order.
    std::vector<std::pair<int, int>> SelectedRanges() const;

    void DeleteAll();
    void DeleteSelected();
    void SwapColumns();
    void Sort();
    void SetDates();
    void RemoveDates();
    void ExportCsv();
    void ImportCsv();
    void AppendCsv();

private:
    void Refresh();
    void ShowTitle();
    QString Text(const char* key) const;
    std::u16string CsvFilter() const;
    // A file that could not be read or written; the system's reason, when there is one, goes below the path.
    void ReportFile(const char* key, const std::filesystem::path& path, int error = 0);

    ToolWindowContext m_Context;
    EntryStore& m_Engine;
    QString m_Path;
    QString m_Separator;
    int m_PickedRow = -1;
    EntryTableModel* m_Model = nullptr;
    QTableView* m_LISWords = nullptr;
    QCheckBox* m_CHKCutAddExpls = nullptr;
    QCheckBox* m_CHKRenameDuplicates = nullptr;
};

} // namespace lexaro
