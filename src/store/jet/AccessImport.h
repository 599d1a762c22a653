#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "store/StoreError.h"

namespace store::jet {

// Whether a file starts as an Access (Jet or ACE) database does.
bool IsAccessFile(const std::string& path);

struct ImportProgress {
  std::string table;
  std::int64_t rows = 0;   // rows read so far, all tables
  std::int64_t total = 0;  // rows the file declares in the tables imported
};

struct ImportOptions {
  std::string encoding;  // for Jet 3 text: an iconv name that overrides the file's code page
  std::chrono::milliseconds stallLimit{20000};
  // Called as rows arrive; returning false cancels the import.
  std::function<bool(const ImportProgress&)> progress;
};

struct ImportSummary {
  std::string format;
  std::vector<std::pair<std::string, std::int64_t>> tables;  // rows imported per table
  std::vector<std::string> warnings;
  std::string Text() const;
};

class ImportCancelled : public StoreError {
 public:
  ImportCancelled() : StoreError("The import was cancelled: nothing was written.") {}
};

// Imports the tables customer, Quomaster and QuoDilate of an Access file into
// a new file or an empty server database, in one transaction, rows in the
// file's order, then reads them back to prove they arrived. Whatever does not
// fit (missing tables or columns, duplicate keys, values a store cannot hold
// exactly) is named in the summary's warnings. On any error or cancellation
// nothing of the target remains and StoreError says why.
ImportSummary ImportAccessDatabase(const std::string& source, const std::string& target,
                                   const ImportOptions& options = {});

}  // namespace store::jet
