#include "store/Schema.h"

#include <sqlite3.h>

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "store/DatabaseCopy.h"
#include "store/Statement.h"
#include "store/StoreError.h"
#include "store/Stores.h"
#include "store/life/LifeSchema.h"
#include "store/pg/PgConnection.h"
#include "store/pg/ServerSchema.h"

namespace store {

namespace {

constexpr const char* kTables = R"(
create table customer (
  cust_no text not null primary key,
  cust_name text,
  all_name text,
  incaddr text,
  linkman text,
  tel1 text,
  tel2 text,
  fax text,
  PostalCode text,
  email text,
  sales text,
  ap_user text,
  ed_user text,
  create_date date,
  last_date date
);
create table Quomaster (
  Cust_no text not null,
  quotation_number text not null,
  pay_mode text,
  pay_condition text,
  consign_mode text,
  money_type text,
  tax_type text,
  tax_rate real,
  quotation_date date,
  availability_date date,
  sales text,
  ap_user text,
  ed_user text,
  ap_date date,
  ed_data date,
  unique (Cust_no, quotation_number)
);
create table QuoDilate (
  Cust_no text,
  quotation_number text,
  serial_number integer,
  name_number text,
  standard text,
  width real,
  high real,
  length real,
  amount real,
  price real,
  totle real,
  ap_user text,
  ed_user text,
  ap_date date
);
create index QuoDilate_header on QuoDilate (Cust_no, quotation_number);
)";

struct Database {
  sqlite3* db = nullptr;
  ~Database() { sqlite3_close_v2(db); }
};

void OpenNew(Database& database, const std::string& path) {
  if (sqlite3_open_v2(path.c_str(), &database.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK)
    throw StoreError(database.db ? sqlite3_errmsg(database.db) : "out of memory");
  Execute(database.db, "pragma journal_mode=wal");
  Execute(database.db, kTables);
  for (const std::string& statement : life::LifeTableStatements(false)) Execute(database.db, statement);
}

// A small deterministic generator: the demo file is the same on every machine.
class Picker {
 public:
  unsigned Next() {
    state_ = state_ * 1103515245u + 12345u;
    return (state_ >> 16) & 0x7fff;
  }
  template <typename T, std::size_t N>
  const T& From(const T (&items)[N]) {
    return items[Next() % N];
  }
  int Between(int low, int high) { return low + static_cast<int>(Next() % (high - low + 1)); }

 private:
  unsigned state_ = 20240601u;
};

constexpr const char* kShortNames[] = {"宏達", "建興", "永豐",   "振昌", "聯華", "大同", "新光", "長榮",
                                       "華新", "台光", "國巨",   "正新", "東元", "聲寶", "統一", "裕隆",
                                       "台達", "光寶", "佳世達", "瑞昱", "南亞", "中鋼", "和碩", "仁寶"};
constexpr const char* kTrades[] = {"電子", "精密工業", "塑膠", "五金", "科技", "包裝材料", "印刷", "貿易"};
struct Place {
  const char* city;
  const char* district;
  const char* postalCode;
  bool mainland;
};
constexpr Place kPlaces[] = {{"台北市", "中山區", "104", false},   {"台北市", "信義區", "110", false},
                             {"新北市", "板橋區", "220", false},   {"桃園市", "中壢區", "320", false},
                             {"台中市", "西屯區", "407", false},   {"台南市", "東區", "701", false},
                             {"高雄市", "前鎮區", "806", false},   {"新竹市", "東區", "300", false},
                             {"昆山市", "開發區", "215300", true}, {"蘇州市", "工業園區", "215000", true},
                             {"東莞市", "長安鎮", "523850", true}};
constexpr const char* kRoads[] = {"中山路", "民生路", "中正路", "復興路",
                                  "建國路", "光復路", "和平路", "自強路"};
constexpr const char* kFamilyNames[] = {"陳", "林", "黃", "張", "李", "王", "吳", "劉", "蔡", "楊"};
constexpr const char* kGivenNames[] = {"志明", "淑芬", "建宏", "美玲", "俊傑",
                                       "雅婷", "家豪", "怡君", "冠宇", "佩珊"};
constexpr const char* kSales[] = {"陳美華", "林志強", "王大明"};
constexpr const char* kPayModes[] = {"現金", "支票", "國內T/T", "國內L/C", "國外T/T", "月結30天"};
constexpr const char* kPayConditions[] = {"FOS", "C&F", "C&I", "CIF", "DDP", "DDU", "其他(昆山)"};
constexpr const char* kConsignModes[] = {"快遞", "貨運", "郵寄", "自己送貨", "船運", "空運"};
constexpr const char* kMoneyTypes[] = {"RMB", "NTD", "USD", "HKD", "JPY", "其他"};
constexpr const char* kProducts[] = {"彩盒",     "瓦楞紙箱", "吸塑盒",   "說明書",
                                     "貼紙標籤", "PE袋",     "泡棉內襯", "手提袋"};
constexpr const char* kStandards[] = {"350g白卡四色", "五層AB楞",   "PET 0.3mm", "80g道林紙雙面",
                                      "銅版紙上光",   "0.05mm透明", "EPE 10mm",  "157g銅版紙"};

// A non-negative number with leading zeros to `Width` digits.
template <std::size_t Width>
std::string Padded(int value) {
  std::string digits = std::to_string(value);
  return std::string(Width > digits.size() ? Width - digits.size() : 0, '0') + digits;
}

std::string Num(int value) { return std::to_string(value); }

std::string Date(Picker& pick, int year) {
  return Padded<4>(year) + "-" + Padded<2>(pick.Between(1, 12)) + "-" + Padded<2>(pick.Between(1, 28));
}

void Insert(sqlite3* db, const std::string& sql, const std::vector<std::string>& values) {
  Statement statement(db, sql);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i].empty())
      statement.BindNull(static_cast<int>(i) + 1);
    else
      statement.BindText(static_cast<int>(i) + 1, values[i]);
  }
  statement.Step();
}

void AddCustomer(sqlite3* db, Picker& pick, int serial) {
  std::string shortName = std::string(pick.From(kShortNames)) + pick.From(kTrades);
  const Place& place = pick.From(kPlaces);
  bool mainland = place.mainland;
  std::string address = std::string(place.city) + place.district + pick.From(kRoads) +
                        Num(pick.Between(1, 5)) + "段" + Num(pick.Between(1, 300)) + "號";
  std::string phone =
      mainland ? "0512-" + Padded<4>(pick.Between(5000, 5999)) + Padded<4>(pick.Between(0, 9999))
               : "02-" + Padded<4>(pick.Between(2000, 2999)) + "-" + Padded<4>(pick.Between(0, 9999));
  std::string number = std::string("S") + Padded<3>(serial);
  Insert(db, "insert into customer values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
         {number, shortName, shortName + (mainland ? "有限公司" : "股份有限公司"), address,
          std::string(pick.From(kFamilyNames)) + pick.From(kGivenNames), phone,
          pick.Next() % 2 ? "09" + Padded<2>(pick.Between(10, 99)) + "-" + Padded<3>(pick.Between(0, 999)) +
                                "-" + Padded<3>(pick.Between(0, 999))
                          : "",
          phone.substr(0, phone.size() - 1) + "9", place.postalCode,
          "sales" + Padded<3>(serial) + "@example.com.tw", pick.From(kSales), "", "", Date(pick, 2024), ""});
}

void AddQuotation(sqlite3* db, Picker& pick, int serial, int number) {
  std::string customer = std::string("S") + Padded<3>(serial);
  std::string quotation = "Q2024" + Padded<3>(serial) + Padded<2>(number);
  std::string date = Date(pick, 2024);
  Insert(db, "insert into Quomaster values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
         {customer, quotation, pick.From(kPayModes), pick.From(kPayConditions), pick.From(kConsignModes),
          pick.From(kMoneyTypes), pick.Next() % 2 ? "應稅" : "免稅", pick.Next() % 2 ? "0.05" : "0.17", date,
          Date(pick, 2025), pick.From(kSales), "", "", "", ""});
  for (int line = 1, lines = pick.Between(1, 5); line <= lines; ++line) {
    int amount = pick.Between(1, 50) * 100;
    int cents = pick.Between(5, 900);
    Insert(db,
           "insert into QuoDilate (Cust_no, quotation_number, serial_number, name_number, standard, width, "
           "high, length, amount, price, totle) values (?,?,?,?,?,?,?,?,?,?,?)",
           {customer, quotation, std::to_string(line), pick.From(kProducts), pick.From(kStandards),
            std::to_string(pick.Between(5, 60)), std::to_string(pick.Between(5, 60)),
            std::to_string(pick.Between(1, 40)), std::to_string(amount),
            Num(cents / 100) + "." + Padded<2>(cents % 100),
            Num(amount * cents / 100) + "." + Padded<2>(amount * cents % 100)});
  }
}

long long Count(sqlite3* db, const char* table) {
  Statement statement(db, std::string("select count(*) from ") + table);
  statement.Step();
  return sqlite3_column_int64(statement.Handle(), 0);
}

}  // namespace

namespace {

// Builds a new file; a failure half-way removes it, so that a later attempt
// does not find a damaged file in the way.
void CreateWith(const std::string& path, const std::function<void(sqlite3*)>& fill) {
  // Claimed exclusively: of two creators racing for one name only one goes on,
  // and the other's clean-up never touches the winner's file.
  std::FILE* claim = std::fopen(path.c_str(), "wx");
  if (!claim) {
    const int reason = errno;
    throw StoreError("Cannot create '" + path +
                     (reason == EEXIST ? std::string("': the file already exists")
                                       : "': " + std::string(std::strerror(reason))));
  }
  std::fclose(claim);
  std::error_code error;
  try {
    Database database;
    OpenNew(database, path);
    fill(database.db);
  } catch (...) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(path + suffix, error);
    throw;
  }
}

}  // namespace

void CreateDatabase(const std::string& path) {
  if (IsServerUri(path)) {
    pg::PgConnection connection(path);
    return pg::CreateServerTables(connection);
  }
  CreateWith(path, [](sqlite3*) {});
}

void CreateDemoDatabase(const std::string& path, int customers) {
  // A server gets the very rows a file gets: made in a file, then copied over.
  if (IsServerUri(path)) {
    std::string pattern = (std::filesystem::temp_directory_path() / "sqdemo.XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw StoreError("Cannot make a temporary folder for the sample data");
    const std::string file = pattern + "/data.mdb";
    std::error_code error;
    try {
      CreateDemoDatabase(file, customers);
      CopyDatabase(file, path);
    } catch (...) {
      std::filesystem::remove_all(pattern, error);
      throw;
    }
    std::filesystem::remove_all(pattern, error);
    return;
  }
  CreateWith(path, [customers](sqlite3* db) {
    Picker pick;
    Execute(db, "begin");
    for (int serial = 1; serial <= customers; ++serial) {
      AddCustomer(db, pick, serial);
      for (int number = 1, quotations = pick.Between(0, 3); number <= quotations; ++number)
        AddQuotation(db, pick, serial, number);
    }
    Execute(db, "commit");
  });
}

std::string CheckDatabase(const std::string& path) {
  if (IsServerUri(path)) return pg::CheckServerDatabase(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    throw StoreError("Could not find file '" + std::filesystem::absolute(path, error).string() + "'.");
  Database database;
  if (sqlite3_open_v2(path.c_str(), &database.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
    throw StoreError(database.db ? sqlite3_errmsg(database.db) : "out of memory");
  std::string report;
  {
    Statement statement(database.db, "pragma integrity_check");
    while (statement.Step()) {
      std::string line = reinterpret_cast<const char*>(sqlite3_column_text(statement.Handle(), 0));
      if (line != "ok") throw StoreError("The database file is damaged: " + line);
    }
  }
  report += "integrity: ok\n";
  for (const char* table : {"customer", "Quomaster", "QuoDilate"})
    report += std::string(table) + ": " + std::to_string(Count(database.db, table)) + " rows\n";
  for (const char* table : life::kLifeTables) {
    try {
      report += std::string(table) + ": " + std::to_string(Count(database.db, table)) + " rows\n";
    } catch (const StoreError&) {
      report += std::string(table) + ": " + life::kNoLifeTable + "\n";  // a file made before them
    }
  }
  return report;
}

}  // namespace store
