#pragma once

#include <QAbstractTableModel>

#include "results/results_file.h"

namespace sfxtal::ui {

/// The results table as the grid shows it: 18,278 rows of suffix, Detail1 and Detail2, blank
/// before the first read, columns 1 and 2 in pure red on rows whose mark is "未". The suffix
/// (column 0) is also each row's vertical heading, which is how the grid keeps it fixed at the
/// left.
class ResultsGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumnCount = 3;

  /// Shows `table`, which outlives the model.
  explicit ResultsGridModel(const results::ResultsTable& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  /// The table's first `rowCount` rows were filled anew: the views hear of it once, as one change,
  /// since a signal per row would cost a repaint check per row.
  void RowsChanged(int rowCount);

 private:
  const results::ResultsTable& table_;
};

}  // namespace sfxtal::ui
