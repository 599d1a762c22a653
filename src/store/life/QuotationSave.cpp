#include "store/life/QuotationSave.h"

#include "store/life/LifeWrites.h"
#include "store/life/SnapshotComparison.h"
#include "store/life/StateCaption.h"

namespace store::life {

namespace {

const char* WhatOf(Difference::Kind kind) {
  switch (kind) {
    case Difference::Kind::Header:
      return what::kHeader;
    case Difference::Kind::LineAdded:
      return what::kLineAdded;
    case Difference::Kind::LineDeleted:
      return what::kLineDeleted;
    case Difference::Kind::LineChanged:
      break;
  }
  return what::kLineChanged;
}

}  // namespace

QuotationSave::QuotationSave(QuotationLife& life, const LifeRecord& asRead) : life_(life) {
  record_ = life_.Current(asRead);
  if (record_.state != QuotationState::Draft && record_.state != QuotationState::Issued)
    throw StoreError(RefusedEdit(record_.state));
  before_ = QuotationSnapshot::Read(life_.Store(), record_.key);
}

LifeRecord QuotationSave::Finish(const QuotationKey& key) {
  const QuotationSnapshot after = QuotationSnapshot::Read(life_.Store(), key);
  const std::vector<Difference> changes = Compare(before_, after);
  if (changes.empty() && key == record_.key) return record_;
  LifeRecord next = record_;
  next.key = key;
  const bool revised = record_.state == QuotationState::Issued;
  if (revised) {
    next.state = QuotationState::Draft;
    ++next.revision;
  }
  life_.Stamp();
  const std::int64_t id = life_.Put(record_, next);
  next.id = id;
  const bool created = before_.header.empty();
  if (created) life_.Write(id, what::kCreated, "", "quotation_number", std::nullopt, key.number);
  if (revised) {
    life_.Write(id, what::kRevision, "", "revision", std::to_string(record_.revision),
                std::to_string(next.revision));
    life_.Write(id, what::kState, "", "state", std::string(StateName(record_.state)),
                std::string(StateName(next.state)));
  }
  for (const Difference& change : changes)
    if (!created || change.kind != Difference::Kind::Header)
      life_.Write(id, WhatOf(change.kind), change.line, change.field, change.before, change.after);
  record_ = next;
  return next;
}

}  // namespace store::life
