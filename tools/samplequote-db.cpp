// Creates, checks and copies the database the program works on: a file, or a
// PostgreSQL server named by a connection URI (postgresql://user@host/dbname).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "store/DatabaseBackup.h"
#include "store/DatabaseCopy.h"
#include "store/Schema.h"
#include "store/StoreError.h"
#include "store/jet/AccessImport.h"
#include "store/pg/UriPassword.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: samplequote-db init TARGET         create an empty database with the three tables\n"
               "       samplequote-db demo TARGET         create a database filled with sample data\n"
               "       samplequote-db check TARGET        check a database and count its rows\n"
               "       samplequote-db copy SOURCE TARGET  copy every row into an empty database\n"
               "       samplequote-db backup SOURCE COPY  copy a database file safely while it is in use\n"
               "       samplequote-db import [--encoding NAME] ACCESSFILE TARGET\n"
               "                                          import an Access data.mdb into a new database\n"
               "TARGET and SOURCE are a file path or a postgresql:// URI.\n");
  return 2;
}

// Progress on stderr for files large enough to take a while.
bool ShowProgress(const store::jet::ImportProgress& progress) {
  if (progress.total >= 20000 && (progress.rows % 8192 == 0 || progress.rows == progress.total))
    std::fprintf(stderr, "importing %s: %lld of %lld rows\n", progress.table.c_str(),
                 static_cast<long long>(progress.rows), static_cast<long long>(progress.total));
  return true;
}

int Import(int argc, char** argv) {
  store::jet::ImportOptions options;
  int at = 2;
  if (argc == 6 && std::string(argv[2]) == "--encoding") options.encoding = argv[3], at = 4;
  if (argc != at + 2) return Usage();
  options.progress = ShowProgress;
  std::fputs(store::jet::ImportAccessDatabase(argv[at], argv[at + 1], options).Text().c_str(), stdout);
  return 0;
}

int Run(const std::string& command, int argc, char** argv) {
  if (command == "import") return Import(argc, argv);
  if (command == "copy" && argc == 4) {
    std::fputs(store::CopyDatabase(argv[2], argv[3]).c_str(), stdout);
    return 0;
  }
  if (command == "backup" && argc == 4) {
    store::BackupDatabase(argv[2], argv[3]);
    std::fputs(store::CheckDatabase(argv[3]).c_str(), stdout);  // the copy, read back
    return 0;
  }
  if (argc != 3) return Usage();
  const std::string target = argv[2];
  if (command == "init") {
    store::CreateDatabase(target);
    std::printf("created %s\n", store::pg::WithoutPassword(target).c_str());
  } else if (command == "demo") {
    store::CreateDemoDatabase(target);
    std::printf("created %s with sample data\n", store::pg::WithoutPassword(target).c_str());
  } else if (command == "check") {
    std::fputs(store::CheckDatabase(target).c_str(), stdout);
  } else {
    return Usage();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  try {
    return Run(argv[1], argc, argv);
  } catch (const store::StoreError& error) {
    std::string message = error.what();
    for (int arg = 2; arg < argc; ++arg) message = store::pg::WithoutPasswordOf(message, argv[arg]);
    std::fprintf(stderr, "samplequote-db: %s\n", message.c_str());
    return 1;
  }
}
