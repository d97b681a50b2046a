#include "grid_model.h"

namespace vt::grid {

int GridModel::insert_column(int position, GridColumn column) {
  if (position < 0 || position > columns()) position = columns();
  columns_.insert(columns_.begin() + position, std::move(column));
  for (auto& row : cells_) row.insert(row.begin() + position, std::string());
  return position;
}

bool GridModel::insert_rows(int position, int count) {
  if (position < 0 || position > rows() || count < 1) return false;
  cells_.insert(cells_.begin() + position, count, std::vector<std::string>(columns()));
  return true;
}

bool GridModel::set_text(int row, int column, const char* text) {
  if (!has_cell(row, column)) return false;
  cells_[row][column] = text ? text : "";
  return true;
}

const std::string* GridModel::text(int row, int column) const {
  return has_cell(row, column) ? &cells_[row][column] : nullptr;
}

}  // namespace vt::grid
