#include "ui/training/TrainingModels.h"

#include "table/TextEncoding.h"
#include "training/TrainingLists.h"

#include <utility>

namespace lexaro {

namespace {

QString Shown(const std::string& cell) {
    return QString::fromStdU16String(Utf8ToWide(cell));
}

} // namespace

AvailableEntriesModel::AvailableEntriesModel(const TrainingDictionary& dictionary, QString nameHeader, QObject* parent)
    : QAbstractTableModel(parent), m_Dictionary(dictionary), m_NameHeader(std::move(nameHeader)) {}

void AvailableEntriesModel::SetView(bool bothDirections, bool swapColumns, bool cut) {
    beginResetModel();
    m_Both = bothDirections;
    m_Swap = swapColumns;
    m_Cut = cut;
    endResetModel();
}

void AvailableEntriesModel::Redraw() {
    beginResetModel();
    endResetModel();
}

int AvailableEntriesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : AvailableCount(m_Dictionary.Entries().RowCount(), m_Both);
}

int AvailableEntriesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant AvailableEntriesModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    return Shown(AvailableText(m_Dictionary.Entries(), index.row(), m_Both, m_Swap, m_Cut));
}

QVariant AvailableEntriesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == 0) {
        return m_NameHeader;
    }
    return {};
}

TrainingEntriesModel::TrainingEntriesModel(const TrainingUnit& unit, const TrainingDictionary& dictionary,
                                           QString nameHeader, QString solvedHeader, QObject* parent)
    : QAbstractTableModel(parent), m_Unit(unit), m_Dictionary(dictionary), m_NameHeader(std::move(nameHeader)),
      m_SolvedHeader(std::move(solvedHeader)) {}

void TrainingEntriesModel::Redraw() {
    beginResetModel();
    endResetModel();
}

int TrainingEntriesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_Unit.QuestionCount();
}

int TrainingEntriesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant TrainingEntriesModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    if (index.column() == 0) {
        return Shown(TrainingText(m_Unit, m_Dictionary.Entries(), index.row(), m_Cut));
    }
    return Shown(SolvedText(m_Unit, index.row()));
}

QVariant TrainingEntriesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return {};
    }
    return section == 0 ? m_NameHeader : m_SolvedHeader;
}

} // namespace lexaro
