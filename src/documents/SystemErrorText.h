#pragma once

#include <QString>

namespace documents {

// The reason of a failed system call in the interface's language, whatever
// the C library's locale: "裝置上已無空間" for ENOSPC.
QString SystemErrorText(int error);

}  // namespace documents
