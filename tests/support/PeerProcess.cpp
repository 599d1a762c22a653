#include "PeerProcess.h"

#include <stdexcept>

PeerProcess::PeerProcess(const std::string& target) {
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(SQ_STORE_PEER, {});
  if (!process_.waitForStarted(10000))
    throw std::runtime_error("the store peer did not start: " SQ_STORE_PEER);
  std::string reply = Send("connect " + target);
  if (reply != "ok ") throw std::runtime_error("the store peer did not connect: " + reply);
}

PeerProcess::~PeerProcess() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.write("quit\n");
  process_.closeWriteChannel();
  if (!process_.waitForFinished(10000)) {
    process_.kill();
    process_.waitForFinished(10000);
  }
}

void PeerProcess::SendOnly(const std::string& command) {
  process_.write((command + "\n").c_str());
  process_.waitForBytesWritten(10000);
}

bool PeerProcess::Answers(int timeoutMs) {
  return process_.canReadLine() || process_.waitForReadyRead(timeoutMs);
}

void PeerProcess::Kill() {
  process_.kill();
  process_.waitForFinished(10000);
}

std::string PeerProcess::Reply(int timeoutMs) {
  while (!process_.canReadLine())
    if (!process_.waitForReadyRead(timeoutMs)) return "(no answer)";
  std::string line = process_.readLine().toStdString();
  if (!line.empty() && line.back() == '\n') line.pop_back();
  return line;
}

std::string PeerProcess::Send(const std::string& command, int timeoutMs) {
  SendOnly(command);
  return Reply(timeoutMs);
}
