#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <optional>
#include <string>

// The Access test files in ../shared/jet beside the project, and what
// expected.json says each holds. They are read where they are, never copied
// into the project.
namespace jetfiles {

// The folder, or empty when it is not there (the reason in *why).
std::string Dir(std::string* why);
std::string Path(const std::string& file);
// The "tables" object of a file in expected.json.
QJsonObject ExpectedTables(const std::string& file);
// A value of expected.json in the form the reader gives it: numbers in their
// shortest exact decimal, Yes/No "1" or "0", nothing for null.
std::optional<std::string> ReaderText(const QJsonValue& value, const QString& type);

}  // namespace jetfiles

#define SQ_SKIP_WITHOUT_JET_FILES()                                         \
  if (std::string why; jetfiles::Dir(&why).empty())                         \
  GTEST_SKIP() << "Access test files skipped: " << why
