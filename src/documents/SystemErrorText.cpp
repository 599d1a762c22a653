#include "documents/SystemErrorText.h"

#include <cerrno>

namespace documents {

namespace {

struct Reason {
  int error;
  const char* text;
};

// The errors a file write meets; the texts are those of the system's own Chinese translation.
constexpr Reason kReasons[] = {
    {ENOSPC, "裝置上已無空間"},
    {EDQUOT, "超過磁碟配額"},
    {EROFS, "唯讀的檔案系統"},
    {EACCES, "權限不足"},
    {EPERM, "此操作不被允許"},
    {ENOENT, "沒有此一檔案或目錄"},
    {ENOTDIR, "路徑中有一項不是目錄"},
    {EISDIR, "是一個目錄"},
    {ENAMETOOLONG, "檔案名稱太長"},
    {ELOOP, "符號連結的層數過多"},
    {EIO, "輸入/輸出錯誤"},
    {EFBIG, "檔案太大"},
    {EMFILE, "開啟的檔案過多"},
    {ENFILE, "系統中開啟的檔案過多"},
    {EBUSY, "裝置或系統資源忙碌中"},
    {ETXTBSY, "文字檔案忙碌中"},
    {EEXIST, "檔案已存在"},
    {EXDEV, "無法跨裝置搬移檔案"},
    {ENOMEM, "記憶體不足"},
    {ESTALE, "網路檔案的控制代碼已失效"},
    {EINVAL, "無效的引數"},
    {ENODEV, "沒有此一裝置"},
    {ENXIO, "沒有此一裝置或位址"},
};

}  // namespace

QString SystemErrorText(int error) {
  for (const Reason& reason : kReasons)
    if (reason.error == error) return QString::fromUtf8(reason.text);
  return QStringLiteral("系統錯誤（代碼 %1）").arg(error);
}

}  // namespace documents
