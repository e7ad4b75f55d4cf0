#pragma once

#include <QAbstractTableModel>
#include <filesystem>
#include <optional>

#include "platform/user_interface.h"
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

  explicit ResultsGridModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  /// Reads 実績.txt in the program folder into the rows (ReadResultsFile). The rows change
  /// without a word while the file is read; the views hear of the whole read once, at the end.
  /// `onRow` is called as each row is filled.
  std::optional<results::ResultsRead> Read(const std::filesystem::path& programFolder,
                                           platform::UserInterface& ui,
                                           const results::ResultRowCallback& onRow = {});

  const results::ResultsTable& Table() const { return table_; }

 private:
  results::ResultsTable table_;
};

}  // namespace sfxtal::ui
