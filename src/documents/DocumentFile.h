#pragma once

#include <QByteArray>
#include <QString>
#include <string>

namespace documents {

// The one way documents reach the disk: written under a temporary name beside
// the target, flushed to the device, and renamed over the target only then, so
// that a failure at any step (a full disk among them) leaves an existing file
// as it was and no cut file under the name. Failures throw WriteFailure
// naming the target and the reason in Chinese.
class DocumentFile {
 public:
  // Makes the temporary file.
  explicit DocumentFile(const QString& target);
  // Removes the temporary file unless it was committed.
  ~DocumentFile();
  DocumentFile(const DocumentFile&) = delete;
  DocumentFile& operator=(const DocumentFile&) = delete;

  // The temporary file's name, for a library that writes a file by name.
  const QByteArray& TemporaryName() const { return temporary_; }
  void Write(const QByteArray& bytes);
  // Flushes the file to the device and puts it in the target's place, with the
  // permissions of the file it replaces (a new file's usual ones otherwise).
  void Commit();
  // Throws the WriteFailure of this target.
  [[noreturn]] void Fail(const QString& reason) const;

  // Writes `bytes` as the file `target`.
  static void Save(const QString& target, const QByteArray& bytes);
  // "無法寫入檔案「target」：reason"
  static std::string FailureText(const QString& target, const QString& reason);

 private:
  [[noreturn]] void FailWithErrno() const;
  unsigned Permissions() const;

  QString target_;
  QByteArray targetName_;
  QByteArray temporary_;
  int descriptor_ = -1;
  bool committed_ = false;
};

}  // namespace documents
