#pragma once

#include <QWidget>
#include <vector>

#include "store/QuotationDraft.h"

class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QStringListModel;

// A customer the header can be written for.
struct WorkspaceCustomer {
  QString number, name, fullName, sales;
};

// The header of the quotation being edited. The customer is chosen by typing
// any part of its number or names: a list completes it, and a choice puts the
// number in the box, the name beside it, and its salesperson into an empty
// salesperson box.
class WorkspaceHeaderPanel : public QWidget {
  Q_OBJECT
 public:
  explicit WorkspaceHeaderPanel(QWidget* parent = nullptr);

  void SetCustomers(std::vector<WorkspaceCustomer> customers);
  const WorkspaceCustomer* Customer(const QString& number) const;
  // Fills every header field of the draft; lines are left alone.
  void Read(store::QuotationDraft& draft) const;
  void Show(const store::QuotationDraft& draft);
  // Takes the customer as if chosen from the list.
  void ChooseCustomer(const QString& number);

  QLineEdit* CustomerBox;
  QLabel* CustomerName;
  QLineEdit* NumberBox;
  QLineEdit* DateBox;
  QLineEdit* ValidUntilBox;
  QComboBox* SalesBox;
  QComboBox* PayModeBox;
  QComboBox* PayConditionBox;
  QComboBox* ConsignModeBox;
  QComboBox* CurrencyBox;
  QComboBox* TaxTypeBox;
  QLineEdit* TaxRateBox;

 signals:
  void Changed();

 private:
  QLineEdit* AddBox(const char* name, const char* label, int row, int column);
  QComboBox* AddList(const char* name, const char* label, const QStringList& items, int row, int column);
  void AddCustomerRow();
  void CustomerTyped();
  void ShowName();

  std::vector<WorkspaceCustomer> customers_;
  QStringListModel* choices_;
  QCompleter* completer_;
};
