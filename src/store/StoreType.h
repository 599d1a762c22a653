#pragma once

#include <memory>
#include <string>

namespace store {

class Backend;

// What differs between the stores for a whole database, before or without a
// connection: one object per kind of store (a SQLite file, a PostgreSQL
// server), chosen by the target that names the database (Stores.h). Nothing
// above the store asks which kind it has.
class StoreType {
 public:
  virtual ~StoreType() = default;

  // A connection's store; throws StoreError with the store's text.
  virtual std::unique_ptr<Backend> Open(const std::string& target, bool readOnly) const = 0;
  // The three tables in a new database: a new file (refused when it exists),
  // or an existing, empty database on a server (refused when a table exists).
  virtual void Create(const std::string& target) const = 0;
  // A database for a tool to fill (copy, import): the tables are made when
  // missing. Returns whether they were.
  virtual bool Prepare(const std::string& target) const = 0;
  // Takes away what Prepare made, after the fill failed and its store closed.
  virtual void Discard(const std::string& target) const noexcept = 0;
  // One line per table with its row count, after what the store can say of
  // its own soundness; throws StoreError when it is damaged.
  virtual std::string Check(const std::string& target) const = 0;
  // A consistent copy into a file while other programs work on: written beside
  // `copy` and renamed over it when complete; an existing `copy` is refused
  // unless `replace`. A store that cannot says how it is copied instead.
  virtual void Backup(const std::string& source, const std::string& copy, bool replace) const = 0;
  // Whether daily copies of the database can be kept beside it.
  virtual bool KeepsCopiesBeside() const = 0;
};

}  // namespace store
