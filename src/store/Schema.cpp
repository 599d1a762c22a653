#include "store/Schema.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "store/Backend.h"
#include "store/StoreType.h"
#include "store/Stores.h"
#include "store/TargetDatabase.h"

namespace store {

namespace {

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

// Values go in as text, "" as null; each store converts them to its columns' types.
void Insert(Backend& db, const std::string& sql, const std::vector<std::string>& values) {
  std::vector<BoundValue> bound;
  for (const std::string& value : values)
    bound.push_back({FieldKind::Text, value.empty() ? std::nullopt : std::optional<std::string>(value)});
  db.Run(sql, bound);
}

void AddCustomer(Backend& db, Picker& pick, int serial) {
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

void AddQuotation(Backend& db, Picker& pick, int serial, int number) {
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

}  // namespace

void CreateDatabase(const std::string& path) { StoreFor(path).Create(path); }

// The same rows on every store, from one deterministic generator; a failure
// half-way takes away what was made for it.
void CreateDemoDatabase(const std::string& path, int customers) {
  bool made = false;
  try {
    std::unique_ptr<Backend> db = OpenTarget(path, made);
    RefuseRows(*db);
    Picker pick;
    db->Begin();
    for (int serial = 1; serial <= customers; ++serial) {
      AddCustomer(*db, pick, serial);
      for (int number = 1, quotations = pick.Between(0, 3); number <= quotations; ++number)
        AddQuotation(*db, pick, serial, number);
    }
    db->Commit();
  } catch (...) {
    if (made) StoreFor(path).Discard(path);
    throw;
  }
}

std::string CheckDatabase(const std::string& path) { return StoreFor(path).Check(path); }

}  // namespace store
