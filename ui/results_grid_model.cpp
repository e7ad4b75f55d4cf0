#include "ui/results_grid_model.h"

#include <QBrush>
#include <QColor>

namespace sfxtal::ui {
namespace {

// Centred across and at the bottom of the cell, as every column of the grid is aligned.
QVariant CellAlignment() {
  return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignBottom));
}

}  // namespace

ResultsGridModel::ResultsGridModel(const results::ResultsTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int ResultsGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.RowCount();
}

int ResultsGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ResultsGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= table_.RowCount() || index.column() >= kColumnCount) {
    return {};
  }
  const results::ResultRow& row = table_.Row(index.row());
  switch (role) {
    case Qt::DisplayRole:
      switch (index.column()) {
        case 0:
          return QString::fromStdString(row.suffix);
        case 1:
          return QString::fromStdString(row.detail1);
        default:
          return QString::fromStdString(row.detail2);
      }
    case Qt::ForegroundRole:
      if (index.column() > 0 && row.unconfirmed) return QBrush(QColor(255, 0, 0));
      return {};
    case Qt::TextAlignmentRole:
      return CellAlignment();
    default:
      return {};
  }
}

QVariant ResultsGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Vertical || section < 0 || section >= table_.RowCount()) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(table_.Row(section).suffix);
  if (role == Qt::TextAlignmentRole) return CellAlignment();
  return {};
}

Qt::ItemFlags ResultsGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ResultsGridModel::RowsChanged(int rowCount) {
  emit dataChanged(index(0, 0), index(rowCount - 1, kColumnCount - 1));
  emit headerDataChanged(Qt::Vertical, 0, rowCount - 1);
}

}  // namespace sfxtal::ui
