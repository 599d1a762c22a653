#include "StoreDatabase.h"

#include "TempDatabase.h"
#include "TestServer.h"

std::string StoreName(StoreKind kind) { return kind == StoreKind::File ? "File" : "Server"; }

StoreDatabase::StoreDatabase(StoreKind kind) : kind_(kind) {
  if (kind == StoreKind::File) {
    file_ = std::make_unique<TempDatabase>();
    target_ = file_->Path();
    return;
  }
  if (std::optional<std::string> uri = TestServer::Uri(&why_)) {
    server_ = std::make_unique<ServerDatabase>(*uri);
    target_ = server_->Uri();
  }
}

StoreDatabase::~StoreDatabase() = default;

std::string StoreDatabase::ConnectionString() const {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + target_ +
         ";Mode=ReadWrite;Persist Security Info=False";
}

void StoreDatabase::Connect(store::Connection& connection) const {
  connection.SetConnectionString(ConnectionString());
  connection.Open();
}

void StoreDatabase::Execute(const std::string& sql) const {
  if (file_)
    file_->Execute(sql);
  else
    server_->Execute(sql);
}

std::string StoreDatabase::Scalar(const std::string& sql) const {
  return file_ ? file_->Scalar(sql) : server_->Scalar(sql);
}

std::string StoreDatabase::Joined(const std::string& column, const std::string& rows,
                                  const std::string& order) const {
  if (file_)
    return Scalar("select group_concat(" + column + ", ',') from (select " + column + " from " + rows +
                  " order by " + (order.empty() ? "_rowid_" : order) + ")");
  return Scalar("select string_agg(" + column + "::text, ',' order by " + (order.empty() ? "row_id" : order) +
                ") from " + rows);
}

std::string StoreDatabase::DuplicateNumberMessage(const std::string& number) const {
  if (file_) return "UNIQUE constraint failed: customer.cust_no";
  return "duplicate key value violates unique constraint \"customer_pkey\"\nKey (cust_no)=(" + number +
         ") already exists.";
}
