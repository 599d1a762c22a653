#include "OwnServer.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

std::string FirstLine(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

}  // namespace

OwnServer::OwnServer() {
  std::string pattern = (std::filesystem::temp_directory_path() / "sqownpg.XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder for the server's state");
  state_ = pattern;
  const std::string start = std::string(SQ_PG_CLUSTER) + " start '" + state_ + "' >'" + state_ + "/log' 2>&1";
  const int status = std::system(start.c_str());
  uri_ = FirstLine(state_ + "/uri");
  if (uri_.empty()) {
    reason_ = FirstLine(state_ + "/skipped");
    if (reason_.empty()) reason_ = "the server did not start (" + std::to_string(status) + ")";
  }
}

OwnServer::~OwnServer() {
  Run("stop");
  std::error_code ignored;
  std::filesystem::remove_all(state_, ignored);
}

void OwnServer::Run(const char* command) const {
  const std::string line =
      std::string(SQ_PG_CLUSTER) + " " + command + " '" + state_ + "' >>'" + state_ + "/log' 2>&1";
  if (std::system(line.c_str()) != 0 && std::string(command) != "stop")
    throw std::runtime_error(std::string("pg-cluster ") + command + " failed; see " + state_ + "/log");
}

void OwnServer::Stop() { Run("down"); }

void OwnServer::Start() { Run("up"); }
