#pragma once

#include <QStringList>
#include <vector>

#include "ui/data/GridColumn.h"

namespace quotation {

// The header grid's fifteen columns: eleven shown, four hidden.
std::vector<ui::GridColumn> HeaderColumns();

// The line grids' fourteen columns. The search page's grid shows width before
// height; the input page's grid shows height first.
enum class LineOrder { WidthFirst, HeightFirst };
std::vector<ui::GridColumn> LineColumns(LineOrder order);

// Fixed items of the header's pick lists, by field.
QStringList PayModeItems();
QStringList PayConditionItems();
QStringList ConsignModeItems();
QStringList MoneyTypeItems();
QStringList SalesItems();

}  // namespace quotation
