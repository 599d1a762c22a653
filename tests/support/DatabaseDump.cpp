#include "support/DatabaseDump.h"

#include "store/Connection.h"
#include "store/Field.h"
#include "store/QueryRecordSet.h"

std::string Dump(const std::string& target) {
  store::Connection connection;
  connection.SetConnectionString("Data Source=" + target);
  std::string text;
  for (const char* table : {"customer", "Quomaster", "QuoDilate"}) {
    store::QueryRecordSet set(connection, "ADOQuery1");
    set.SQL().Add(std::string("select * from ") + table);
    set.Open();
    for (int row = 0; row < set.RecordCount(); ++row) {
      set.MoveTo(row);
      for (int c = 0; c < set.FieldCount(); ++c) {
        const store::Field& field = set.FieldAt(c);
        text += field.FieldName() + "=" + (field.IsNull() ? "<null>" : field.AsString()) + ";";
      }
      text += "\n";
    }
  }
  return text;
}
