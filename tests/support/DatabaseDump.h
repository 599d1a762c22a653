#pragma once

#include <string>

// Every row of every table, in the store's order, each value as the record
// sets read it (NULL apart from empty text): two databases hold the same
// when their dumps are equal.
std::string Dump(const std::string& target);
