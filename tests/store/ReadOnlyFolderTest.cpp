// A database file the user may read, in a folder the user may not write to:
// SQLite cannot make its journal there, and the user is told so.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "store/Connection.h"
#include "store/StoreError.h"
#include "support/TempDatabase.h"

namespace {

constexpr uid_t kNobody = 65534;
constexpr int kNoOtherUser = 3;

// The message of opening the connection in a process of its own, as a user
// other than root, who may write anywhere; "opened" when it opens.
std::string OpenedByAUser(const std::string& connectionString, int* status) {
  int ends[2];
  if (pipe(ends) != 0) return "(no pipe)";
  const pid_t child = fork();
  if (child == 0) {
    close(ends[0]);
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(kNoOtherUser);
    std::string message = "opened";
    try {
      store::Connection connection;
      connection.SetConnectionString(connectionString);
      connection.Open();
    } catch (const store::StoreError& error) {
      message = error.what();
    }
    _exit(write(ends[1], message.data(), message.size()) < 0);
  }
  close(ends[1]);
  std::string message;
  char buffer[512];
  for (ssize_t got; (got = read(ends[0], buffer, sizeof buffer)) > 0;) message.append(buffer, got);
  close(ends[0]);
  waitpid(child, status, 0);
  return message;
}

TEST(ReadOnlyFolderTest, OpeningSaysTheFolderMustBeWritable) {
  TempDatabase db;
  namespace fs = std::filesystem;
  fs::permissions(db.Dir(), fs::perms::all);
  fs::permissions(db.Path(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                 fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
  const std::string expected =
      "無法開啟資料庫「" + db.Path() + "」：資料夾「" + db.Dir() +
      "」不能寫入。資料庫的日誌檔（data.mdb-wal、data.mdb-shm）要寫在資料庫檔案旁邊，"
      "請讓這個資料夾可以寫入，或把資料庫檔案移到可以寫入的資料夾。";
  int status = 0;
  // Writable, the folder serves: the file itself is that user's to read and write.
  std::string opened = OpenedByAUser("Data Source=" + db.Path(), &status);
  if (WIFEXITED(status) && WEXITSTATUS(status) == kNoOtherUser)
    GTEST_SKIP() << "cannot run as a user other than root here";
  ASSERT_EQ(opened, "opened");
  fs::permissions(db.Dir(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  for (const char* mode : {";Mode=ReadWrite", ";Mode=Read"}) {
    EXPECT_EQ(OpenedByAUser("Data Source=" + db.Path() + mode, &status), expected) << mode;
  }
  EXPECT_FALSE(fs::exists(db.Path() + "-wal"));
  fs::permissions(db.Dir(), fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
