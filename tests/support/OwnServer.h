#pragma once

#include <string>

// A PostgreSQL server of one test's own (scripts/pg-cluster), which the test
// may stop and start again under its clients without disturbing the server
// the other tests share. Removed with the object.
class OwnServer {
 public:
  OwnServer();
  ~OwnServer();
  OwnServer(const OwnServer&) = delete;
  OwnServer& operator=(const OwnServer&) = delete;

  // Empty when the server programs are missing or it did not start; Reason() says why.
  const std::string& Uri() const { return uri_; }
  const std::string& Reason() const { return reason_; }
  void Stop();   // a fast shutdown: sessions end, the data stays
  void Start();  // again, on the same port

 private:
  void Run(const char* command) const;

  std::string state_;
  std::string uri_;
  std::string reason_;
};
