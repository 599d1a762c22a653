// Creates and checks the database file the program works on.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "store/Schema.h"
#include "store/StoreError.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: samplequote-db init PATH    create an empty database with the three tables\n"
               "       samplequote-db demo PATH    create a database filled with sample data\n"
               "       samplequote-db check PATH   check a database and count its rows\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  std::string command = argv[1];
  std::string path = argv[2];
  try {
    if (command == "init") {
      store::CreateDatabase(path);
      std::printf("created %s\n", path.c_str());
    } else if (command == "demo") {
      store::CreateDemoDatabase(path);
      std::printf("created %s with sample data\n", path.c_str());
    } else if (command == "check") {
      std::fputs(store::CheckDatabase(path).c_str(), stdout);
    } else {
      return Usage();
    }
  } catch (const store::StoreError& error) {
    std::fprintf(stderr, "samplequote-db: %s\n", error.what());
    return 1;
  }
  return 0;
}
