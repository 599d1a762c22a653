#pragma once

#include "store/life/QuotationLife.h"

namespace store::life {

// A save of a quotation's header and lines, inside the caller's transaction:
// made before the rows are written, finished after.
class QuotationSave {
 public:
  // Refuses the save of an Accepted, Declined or Cancelled quotation, and of a
  // stale record.
  QuotationSave(QuotationLife& life, const LifeRecord& asRead);
  // Records every change; an issued quotation becomes the Draft of its next
  // revision. `key` is the quotation's after the save. Returns the record now stored.
  LifeRecord Finish(const QuotationKey& key);

 private:
  QuotationLife& life_;
  LifeRecord record_;
  QuotationSnapshot before_;
};

}  // namespace store::life
