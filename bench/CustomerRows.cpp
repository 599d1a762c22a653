#include "CustomerRows.h"

#include <cstdio>

namespace bench {

namespace {

const char* const kWords[] = {"宏達", "建興", "永豐", "振昌", "聯華", "大同", "新光", "長榮", "華新", "台光"};
const char* const kCities[] = {"台北市中山區", "新北市板橋區", "桃園市中壢區", "台中市西屯區",
                               "昆山市開發區"};

std::string Text(const char* pattern, int value) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, pattern, value);
  return buffer;
}

}  // namespace

std::string CustomerCell(int row, int column) {
  const char* word = kWords[row % 10];
  switch (column) {
    case 0:
      return Text("S%06d", row + 1);
    case 1:
      return std::string(word) + kWords[(row / 10) % 10];
    case 2:
      return std::string(word) + kWords[(row / 10) % 10] + "電子股份有限公司";
    case 3:
      return std::string(kCities[row % 5]) + Text("中山路%d號", row % 300 + 1);
    case 4:
      return std::string("陳") + kWords[(row / 7) % 10];
    case 5:
      return Text("02-2%03d-5678", row % 1000);
    case 6:
      return Text("0912-%06d", row);
    case 7:
      return Text("02-2%03d-5679", row % 1000);
    case 8:
      return Text("%d", 100 + row % 900);
    case 9:
      return Text("sales%06d@example.com.tw", row);
    case 10:
      return "林志強";
    case 11:
    case 12:
      return "admin";
    case 13:
      return Text("2024-%02d-15", row % 12 + 1);
    default:
      return Text("2025-%02d-01", row % 12 + 1);
  }
}

}  // namespace bench
