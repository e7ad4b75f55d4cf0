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

ResultsGridModel::ResultsGridModel(QObject* parent) : QAbstractTableModel(parent) {}

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

std::optional<results::ResultsRead> ResultsGridModel::Read(
    const std::filesystem::path& programFolder, platform::UserInterface& ui,
    const results::ResultRowCallback& onRow) {
  std::optional<results::ResultsRead> read =
      results::ReadResultsFile(programFolder, ui, table_, onRow);
  // One change for the whole read: a signal per row would cost a repaint check per row.
  if (read && read->recordCount > 0) {
    const int last = read->recordCount - 1;
    emit dataChanged(index(0, 0), index(last, kColumnCount - 1));
    emit headerDataChanged(Qt::Vertical, 0, last);
  }
  return read;
}

}  // namespace sfxtal::ui
