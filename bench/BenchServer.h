#pragma once

#include <string>

namespace bench {

// The PostgreSQL server the benchmarks use: SQ_BENCH_PG_URI when set, else a
// throwaway cluster started for the run (scripts/pg-cluster) and stopped at
// its end. Holds one database with the three tables and 1,000,000 customers.
class BenchServer {
 public:
  static BenchServer& Get();
  ~BenchServer();
  BenchServer(const BenchServer&) = delete;
  BenchServer& operator=(const BenchServer&) = delete;

  bool Available() const { return !uri_.empty(); }
  // Why there is no server, for the skip line.
  const std::string& Reason() const { return reason_; }
  // The customers' database.
  const std::string& Uri() const { return uri_; }

 private:
  BenchServer();
  void Start();
  void MakeDatabase(const std::string& serverUri);

  std::string state_;
  std::string serverUri_;
  std::string database_;
  std::string uri_;
  std::string reason_;
};

// Processor time a server process has used, from the kernel's scheduler
// statistics: the server's share of the work counts as the client's does.
double ServerProcessCpuSeconds(int pid);

// The server process answering the store's newest session (it names itself
// "samplequote") on the benchmark's database.
int StoreSessionProcess();

}  // namespace bench
