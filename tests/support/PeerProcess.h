#pragma once

#include <QProcess>
#include <string>

// Another program on the same database: the store peer (peer/StorePeer.cpp)
// in a process of its own, driven one command at a time.
class PeerProcess {
 public:
  // Starts the peer and connects it to the target (a file path or a URI).
  explicit PeerProcess(const std::string& target);
  ~PeerProcess();
  PeerProcess(const PeerProcess&) = delete;
  PeerProcess& operator=(const PeerProcess&) = delete;

  // Its answer: "ok" and a value, or "error" and the store's message (line
  // breaks in it written as "|").
  std::string Send(const std::string& command, int timeoutMs = 30000);
  // For a command that waits (a lock held by another): Send first, Reply later.
  void SendOnly(const std::string& command);
  std::string Reply(int timeoutMs = 30000);
  // Whether an answer is there within the time.
  bool Answers(int timeoutMs);
  // Ends it at once (SIGKILL), as a crash or a power cut would.
  void Kill();

 private:
  QProcess process_;
};
