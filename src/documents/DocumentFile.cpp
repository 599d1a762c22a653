#include "documents/DocumentFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "documents/SystemErrorText.h"
#include "documents/WriteFailure.h"

namespace documents {

DocumentFile::DocumentFile(const QString& target)
    : target_(target), targetName_(QFile::encodeName(QFileInfo(target).absoluteFilePath())) {
  const QFileInfo info(target);
  // Hidden, beside the target: the rename stays on one file system.
  QByteArray pattern = QFile::encodeName(info.absolutePath() + "/." + info.fileName() + ".XXXXXX");
  descriptor_ = mkostemp(pattern.data(), O_CLOEXEC);
  if (descriptor_ < 0) FailWithErrno();
  temporary_ = pattern;
}

DocumentFile::~DocumentFile() {
  if (descriptor_ >= 0) close(descriptor_);
  if (!committed_ && !temporary_.isEmpty()) unlink(temporary_.constData());
}

void DocumentFile::Write(const QByteArray& bytes) {
  const char* data = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = write(descriptor_, data, static_cast<size_t>(left));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) FailWithErrno();
    data += written;
    left -= written;
  }
}

void DocumentFile::Commit() {
  // Written data may meet a full disk only when it is flushed: fsync says so.
  if (fchmod(descriptor_, Permissions()) != 0 || fsync(descriptor_) != 0) FailWithErrno();
  const int descriptor = descriptor_;
  descriptor_ = -1;
  if (close(descriptor) != 0) FailWithErrno();
  if (std::rename(temporary_.constData(), targetName_.constData()) != 0) FailWithErrno();
  committed_ = true;
  // The rename itself reaches the disk with the folder; the document is in place either way.
  const int folder = open(QFile::encodeName(QFileInfo(target_).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
}

unsigned DocumentFile::Permissions() const {
  struct stat existing {};
  if (stat(targetName_.constData(), &existing) == 0 && S_ISREG(existing.st_mode))
    return existing.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

void DocumentFile::Fail(const QString& reason) const { throw WriteFailure(FailureText(target_, reason)); }

void DocumentFile::FailWithErrno() const { Fail(SystemErrorText(errno)); }

void DocumentFile::Save(const QString& target, const QByteArray& bytes) {
  DocumentFile file(target);
  file.Write(bytes);
  file.Commit();
}

std::string DocumentFile::FailureText(const QString& target, const QString& reason) {
  return QStringLiteral("無法寫入檔案「%1」：%2").arg(QDir::toNativeSeparators(target), reason).toStdString();
}

}  // namespace documents
