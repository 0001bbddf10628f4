#pragma once

#include "training/TrainingDictionary.h"
#include "training/TrainingUnit.h"

#include <QAbstractTableModel>
#include <QString>

namespace lexaro {

// The available list of the training set-up window: one position per entry, twice with both directions.
// It only reads the dictionary when a row is painted, so a long dictionary costs nothing to show.
class AvailableEntriesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    AvailableEntriesModel(const TrainingDictionary& dictionary, QString nameHeader, QObject* parent = nullptr);

    // The list shows the entries as the check boxes say; the list starts again from its top.
    void SetView(bool bothDirections, bool swapColumns, bool cut);
    void Redraw();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const TrainingDictionary& m_Dictionary;
    QString m_NameHeader;
    bool m_Both = false;
    bool m_Swap = false;
    bool m_Cut = true;
};

// The training list: the unit's questions with their marks.
class TrainingEntriesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    TrainingEntriesModel(const TrainingUnit& unit, const TrainingDictionary& dictionary, QString nameHeader,
                         QString solvedHeader, QObject* parent = nullptr);

    void SetCut(bool cut) { m_Cut = cut; }
    void Redraw();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const TrainingUnit& m_Unit;
    const TrainingDictionary& m_Dictionary;
    QString m_NameHeader;
    QString m_SolvedHeader;
    bool m_Cut = true;
};

} // namespace lexaro
