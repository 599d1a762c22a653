#include "store/WorkspaceSql.h"
#include "store/pg/NumberedParameters.h"
#include "store/pg/ServerBackend.h"

namespace store::pg {

namespace {

constexpr const char* kSummarise =
    "select cust_no, quotation_number, count(*), sum(totle), chr(31) || string_agg(distinct "
    "coalesce(name_number, '') || chr(31) || coalesce(standard, ''), chr(31)) || chr(31) from quodilate ";

// Upserts rather than replaces: two sessions may refresh one header at once.
std::string RefreshFunction() {
  return std::string(
             "create function quosummary_refresh(c text, q text) returns void language sql as $$ "
             "delete from quosummary s where s.cust_no = c and s.quotation_number = q and not exists "
             "(select 1 from quodilate d where d.cust_no = c and d.quotation_number = q); "
             "insert into quosummary ") +
         kSummarise +
         "where cust_no = c and quotation_number = q group by cust_no, quotation_number "
         "on conflict (cust_no, quotation_number) do update set line_count = excluded.line_count, "
         "subtotal = excluded.subtotal, line_text = excluded.line_text; $$";
}

WorkspaceSql MakeSql() {
  return {
      "select count(*) from pg_class where relname = 'quosummary' and relkind = 'r' and "
      "pg_table_is_visible(oid)",
      {"create table quosummary (cust_no text not null, quotation_number text not null, "
       "line_count integer not null, subtotal double precision, line_text text, "
       "primary key (cust_no, quotation_number))",
       std::string("insert into quosummary ") + kSummarise +
           "where cust_no is not null and quotation_number is not null group by cust_no, quotation_number",
       RefreshFunction(),
       "create function quosummary_upkeep() returns trigger language plpgsql as $$ begin "
       "if tg_op <> 'INSERT' then perform quosummary_refresh(old.cust_no, old.quotation_number); end if; "
       "if tg_op <> 'DELETE' then perform quosummary_refresh(new.cust_no, new.quotation_number); end if; "
       "return null; end $$",
       "create trigger quosummary_upkeep after insert or update or delete on quodilate "
       "for each row execute function quosummary_upkeep()",
       "create index if not exists quodilate_product on quodilate (name_number collate \"C\", row_id)",
       "create index if not exists quodilate_customer_product on quodilate "
       "(cust_no, name_number collate \"C\", row_id)",
       "create index if not exists quomaster_number on quomaster (quotation_number collate \"C\")",
       "create index if not exists quomaster_date on quomaster (quotation_date)"},
      "strpos",
      " collate \"C\""};
}

}  // namespace

std::vector<TextRow> ServerBackend::Rows(const std::string& sql, const std::vector<BoundValue>& values) {
  PgValues texts;
  for (const BoundValue& value : values) texts.push_back(value.value);
  PgResult result = connection_.Execute(NumberedParameters::From(sql).sql, texts);
  std::vector<TextRow> rows(static_cast<std::size_t>(result.Rows()));
  for (int r = 0; r < result.Rows(); ++r)
    for (int c = 0; c < result.Columns(); ++c)
      rows[static_cast<std::size_t>(r)].push_back(
          result.IsNull(r, c) ? std::nullopt : std::optional<std::string>(result.Text(r, c)));
  return rows;
}

const WorkspaceSql& ServerBackend::Workspace() const {
  static const WorkspaceSql sql = MakeSql();
  return sql;
}

}  // namespace store::pg
