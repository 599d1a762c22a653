#pragma once

#include <map>
#include <string>
#include <vector>

// A row as the tests write and read it: column name -> text.
using Row = std::map<std::string, std::string>;

// Stores rows in a table of the current folder's data.mdb through a
// connection of the test's own.
void SeedTable(const std::string& table, const std::vector<Row>& rows);

// Every stored row of a table, in the store's order, read through a new connection.
std::vector<Row> ReadTable(const std::string& table);
