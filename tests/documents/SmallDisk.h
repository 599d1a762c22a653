#pragma once

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <string>

// A real file system of a few hundred kilobytes (tmpfs), so that a write can
// run out of space as on a full disk. Mounting needs root (CAP_SYS_ADMIN);
// without it Mounted() is false and Why() says so.
class SmallDisk {
 public:
  enum class Access { ReadWrite, ReadOnly };
  explicit SmallDisk(int kilobytes, Access access = Access::ReadWrite) {
    const std::string options = "size=" + std::to_string(kilobytes) + "k";
    const unsigned long flags = access == Access::ReadOnly ? MS_RDONLY : 0;
    if (!folder_.isValid()) {
      why_ = "no temporary folder";
    } else if (mount("tmpfs", Path().toLocal8Bit().constData(), "tmpfs", flags, options.c_str()) != 0) {
      why_ = std::string("cannot mount a small tmpfs (needs root): ") + std::strerror(errno);
    } else {
      mounted_ = true;
    }
  }
  ~SmallDisk() {
    if (mounted_) umount2(Path().toLocal8Bit().constData(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Why() const { return why_; }
  QString Path() const { return folder_.path(); }
  QString FilePath(const QString& name) const { return folder_.filePath(name); }

  qint64 Free() const {
    struct statvfs info {};
    statvfs(Path().toLocal8Bit().constData(), &info);
    return static_cast<qint64>(info.f_bavail) * static_cast<qint64>(info.f_frsize);
  }

  // Fills the disk with a file until `bytes` are left.
  bool LeaveFree(qint64 bytes) {
    QFile filler(FilePath("filler"));
    if (!filler.open(QIODevice::Append)) return false;
    const qint64 fill = Free() - bytes;
    if (fill < 0) return false;
    const bool written = filler.write(QByteArray(fill, 'x')) == fill && filler.flush();
    filler.close();
    return written && Free() == bytes;
  }

 private:
  QTemporaryDir folder_;
  bool mounted_ = false;
  std::string why_;
};
