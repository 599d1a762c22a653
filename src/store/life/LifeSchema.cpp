#include "store/life/LifeSchema.h"

#include "store/Backend.h"
#include "store/Parameters.h"
#include "store/SelectStatement.h"
#include "store/StoreError.h"

namespace store::life {

namespace {

// Issued copies and history refuse updates and deletes on the file itself,
// so that no program can change what was sent or recorded.
const std::vector<std::string> kFileStatements = {
    "create table QuoLife (life_id integer primary key, cust_no text not null, quotation_number text not "
    "null, state text not null, reason text, revision integer not null, unique (cust_no, quotation_number))",
    "create table QuoIssued (life_id integer not null, revision integer not null, quotation_number text not "
    "null, header text not null, lines text not null, pdf_base64 text not null, pdf_sha256 text not null, "
    "issued_by text not null, issued_at text not null, unique (life_id, revision))",
    "create table QuoHistory (life_id integer not null, changed_at text not null, changed_by text not null, "
    "what text not null, line text, field text, old_value text, new_value text)",
    "create index QuoHistory_life on QuoHistory (life_id)",
    "create trigger QuoIssued_unchanged before update on QuoIssued begin select raise(abort, 'issued "
    "copies cannot be changed'); end",
    "create trigger QuoIssued_kept before delete on QuoIssued begin select raise(abort, 'issued copies "
    "cannot be deleted'); end",
    "create trigger QuoHistory_unchanged before update on QuoHistory begin select raise(abort, 'history "
    "rows cannot be changed'); end",
    "create trigger QuoHistory_kept before delete on QuoHistory begin select raise(abort, 'history rows "
    "cannot be deleted'); end",
};

// On the server the same refusal is a trigger; the program's role should also
// hold only insert and select on the two tables (README).
const std::vector<std::string> kServerStatements = {
    "create table QuoLife (life_id bigint primary key, cust_no text not null, quotation_number text not "
    "null, state text not null, reason text, revision integer not null, row_id bigint generated always as "
    "identity unique, unique (cust_no, quotation_number))",
    "create table QuoIssued (life_id bigint not null, revision integer not null, quotation_number text not "
    "null, header text not null, lines text not null, pdf_base64 text not null, pdf_sha256 text not null, "
    "issued_by text not null, issued_at text not null, row_id bigint generated always as identity unique, "
    "unique (life_id, revision))",
    "create table QuoHistory (life_id bigint not null, changed_at text not null, changed_by text not null, "
    "what text not null, line text, field text, old_value text, new_value text, row_id bigint generated "
    "always as identity unique)",
    "create index QuoHistory_life on QuoHistory (life_id)",
    "create or replace function quo_append_only() returns trigger language plpgsql as $$ begin raise "
    "exception 'rows of % cannot be changed or deleted', tg_table_name; end $$",
    "create trigger quoissued_append_only before update or delete on QuoIssued for each row execute "
    "function quo_append_only()",
    "create trigger quohistory_append_only before update or delete on QuoHistory for each row execute "
    "function quo_append_only()",
};

}  // namespace

bool HasLifeTables(Backend& store) {
  try {
    store.Select(*SelectStatement::Parse("select * from QuoLife where 1 = 0"), Parameters());
    return true;
  } catch (const StoreError&) {
    return false;
  }
}

const std::vector<std::string>& LifeTableStatements(bool server) {
  return server ? kServerStatements : kFileStatements;
}

void EnsureLifeTables(Backend& store) {
  if (HasLifeTables(store)) return;
  store.Begin();
  try {
    for (const std::string& statement : store.LifeTableStatements()) store.Run(statement, {});
    store.Commit();
  } catch (const StoreError&) {
    store.Rollback();
    // Another program may have made them at the same moment.
    if (!HasLifeTables(store)) throw;
  }
}

}  // namespace store::life
