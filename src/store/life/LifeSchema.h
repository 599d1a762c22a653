#pragma once

#include <string>
#include <vector>

namespace store {
class Backend;
}

namespace store::life {

// The tables of a quotation's life, beside the three tables the windows read
// (which stay as they are): its state and revision (QuoLife), the issued
// copies that never change (QuoIssued) and its append-only history
// (QuoHistory). Rows are keyed by the life's own number, so that history
// survives a change of the quotation's customer or number.
inline constexpr const char* kLifeTables[] = {"QuoLife", "QuoIssued", "QuoHistory"};

// What check says of a life table in a database made before they existed.
inline constexpr const char* kNoLifeTable = "not made yet (made when the workspace first opens)";

// The statements that create the tables, one each, for a file or a server.
const std::vector<std::string>& LifeTableStatements(bool server);

bool HasLifeTables(Backend& store);
// Creates the tables in a database made before they existed; does nothing
// when they are there.
void EnsureLifeTables(Backend& store);

}  // namespace store::life
