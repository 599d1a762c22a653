#include "store/jet/JetChildReader.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "store/StoreError.h"
#include "store/jet/JetReader.h"

namespace store::jet {

namespace {

// One message: a kind byte, the payload's length (4 bytes), the payload.
enum class Kind : char { Catalog = 'C', Table = 'T', Row = 'R', TableEnd = 'E', Note = 'N', Error = 'X', Done = 'D' };
constexpr std::size_t kFrame = 5;
constexpr std::size_t kFlushAt = 1 << 16;
constexpr std::uint32_t kNull = 0xffffffffu;

class Writer {
 public:
  explicit Writer(int fd) : fd_(fd) {}
  void Begin(Kind kind) {
    start_ = out_.size();
    out_.push_back(static_cast<char>(kind));
    out_.append(4, '\0');
  }
  void Number(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<char>(value >> (8 * i)));
  }
  void Text(const std::string& text) {
    Number(static_cast<std::uint32_t>(text.size()));
    out_ += text;
  }
  void Value(const JetValue& value) { value ? Text(*value) : Number(kNull); }
  void End(bool flush) {
    const auto length = static_cast<std::uint32_t>(out_.size() - start_ - kFrame);
    for (int i = 0; i < 4; ++i) out_[start_ + 1 + i] = static_cast<char>(length >> (8 * i));
    if (flush || out_.size() >= kFlushAt) Flush();
  }
  void Flush() {
    for (std::size_t done = 0; done < out_.size();) {
      const ssize_t written = write(fd_, out_.data() + done, out_.size() - done);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) _exit(1);  // the reader has gone
      done += static_cast<std::size_t>(written);
    }
    out_.clear();
  }

 private:
  int fd_;
  std::string out_;
  std::size_t start_ = 0;
};

void SendTable(Writer& out, JetReader& reader, const JetTableInfo& table) {
  out.Begin(Kind::Table);
  out.Text(table.name);
  out.Number(static_cast<std::uint32_t>(table.declaredRows));
  out.Number(static_cast<std::uint32_t>(table.columns.size()));
  for (const JetColumn& column : table.columns) {
    out.Text(column.name);
    out.Number(static_cast<std::uint32_t>(column.type));
  }
  out.End(true);
  reader.ReadRows(table, [&](const JetRow& row) {
    out.Begin(Kind::Row);
    for (const JetValue& value : row) out.Value(value);
    out.End(false);
  });
  for (const std::string& note : reader.TakeNotes()) {
    out.Begin(Kind::Note);
    out.Text(note);
    out.End(false);
  }
  out.Begin(Kind::TableEnd);
  out.End(true);
}

[[noreturn]] void RunChild(int fd, const std::string& path, const std::vector<std::string>& tables,
                           const std::string& encoding) {
  signal(SIGPIPE, SIG_IGN);
  // libmdb's complaints about a damaged file are told by the error that follows.
  if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0) dup2(quiet, STDERR_FILENO);
  Writer out(fd);
  try {
    JetReader reader(path, encoding);
    const std::vector<std::string> names = reader.UserTables();
    std::vector<JetTableInfo> found;
    std::uint32_t declared = 0;
    for (const std::string& name : tables)
      if (auto table = reader.Table(name)) {
        declared += static_cast<std::uint32_t>(table->declaredRows);
        found.push_back(std::move(*table));
      }
    out.Begin(Kind::Catalog);
    out.Text(reader.Format());
    out.Text(reader.Encoding());
    out.Number(static_cast<std::uint32_t>(names.size()));
    for (const std::string& name : names) out.Text(name);
    out.Number(declared);
    out.End(true);
    for (const JetTableInfo& table : found) SendTable(out, reader, table);
    out.Begin(Kind::Done);
    out.End(true);
  } catch (const std::exception& error) {
    out.Begin(Kind::Error);
    out.Text(error.what());
    out.End(true);
  }
  _exit(0);
}

class Payload {
 public:
  explicit Payload(std::string_view bytes) : bytes_(bytes) {}
  std::uint32_t Number() {
    if (bytes_.size() < 4) throw StoreError("The Access file reader sent a broken message");
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes_[i]);
    bytes_.remove_prefix(4);
    return value;
  }
  JetValue Value() {
    const std::uint32_t size = Number();
    if (size == kNull) return std::nullopt;
    if (bytes_.size() < size) throw StoreError("The Access file reader sent a broken message");
    std::string text(bytes_.substr(0, size));
    bytes_.remove_prefix(size);
    return text;
  }
  std::string Text() { return Value().value_or(""); }
  bool Empty() const { return bytes_.empty(); }

 private:
  std::string_view bytes_;
};

}  // namespace

JetChildReader::JetChildReader(const std::string& path, const std::vector<std::string>& tables,
                               const std::string& encoding, std::chrono::milliseconds stallLimit)
    : stallLimit_(stallLimit) {
  int ends[2];
  if (pipe(ends) != 0) throw StoreError(std::string("Cannot start reading the Access file: ") + std::strerror(errno));
  child_ = fork();
  if (child_ == 0) {
    close(ends[0]);
    RunChild(ends[1], path, tables, encoding);
  }
  close(ends[1]);
  if (child_ < 0) {
    close(ends[0]);
    throw StoreError(std::string("Cannot start reading the Access file: ") + std::strerror(errno));
  }
  pipe_ = ends[0];
}

JetChildReader::~JetChildReader() { Stop(); }

void JetChildReader::Stop() {
  if (pipe_ >= 0) close(pipe_);
  pipe_ = -1;
  if (child_ > 0) {
    kill(child_, SIGKILL);
    waitpid(child_, nullptr, 0);
  }
  child_ = -1;
}

void JetChildReader::Failed(bool ended) {
  int status = 0;
  if (pipe_ >= 0) close(pipe_);
  pipe_ = -1;
  if (!ended) kill(child_, SIGKILL);
  const bool crashed = waitpid(child_, &status, 0) == child_ && WIFSIGNALED(status) && ended;
  child_ = -1;
  throw StoreError(std::string("The Access file could not be read (") +
                   (crashed ? "the reader crashed with signal " + std::to_string(WTERMSIG(status))
                            : std::string("the reader stopped unexpectedly")) +
                   "): the file is damaged.");
}

// Waits until `bytes` unread bytes are buffered.
void JetChildReader::Fill(std::size_t bytes) {
  if (at_ > kFlushAt && at_ * 2 > buffer_.size()) {
    buffer_.erase(0, at_);
    at_ = 0;
  }
  char chunk[1 << 16];
  while (buffer_.size() - at_ < bytes) {
    pollfd ready{pipe_, POLLIN, 0};
    const int polled = poll(&ready, 1, static_cast<int>(stallLimit_.count()));
    if (polled < 0 && errno == EINTR) continue;
    if (polled == 0) {
      Stop();
      throw StoreError("Reading the Access file made no progress for " +
                       std::to_string(stallLimit_.count() / 1000.0).substr(0, 4) +
                       " seconds and was stopped: the file is damaged.");
    }
    const ssize_t got = read(pipe_, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) Failed(true);
    buffer_.append(chunk, static_cast<std::size_t>(got));
  }
}

JetChildReader::Event& JetChildReader::Next() {
  if (pipe_ < 0) throw StoreError("The Access file reader has stopped");
  Fill(kFrame);
  const Kind kind = static_cast<Kind>(buffer_[at_]);
  Payload length(std::string_view(buffer_).substr(at_ + 1, 4));
  const std::size_t size = length.Number();
  Fill(kFrame + size);
  Payload in(std::string_view(buffer_).substr(at_ + kFrame, size));
  at_ += kFrame + size;
  Event& e = event_;
  switch (kind) {
    case Kind::Catalog: {
      e.kind = Event::Kind::Catalog;
      e.format = in.Text();
      e.encoding = in.Text();
      e.names.resize(in.Number());
      for (std::string& name : e.names) name = in.Text();
      e.declaredRows = in.Number();
      break;
    }
    case Kind::Table: {
      e.kind = Event::Kind::Table;
      e.table = {in.Text(), {}, in.Number()};
      e.table.columns.resize(in.Number());
      for (JetColumn& column : e.table.columns) column = {in.Text(), static_cast<JetType>(in.Number())};
      e.row.assign(e.table.columns.size(), std::nullopt);
      break;
    }
    case Kind::Row:
      e.kind = Event::Kind::Row;
      for (JetValue& value : e.row) value = in.Value();
      if (!in.Empty()) throw StoreError("The Access file reader sent a broken message");
      break;
    case Kind::TableEnd:
      e.kind = Event::Kind::TableEnd;
      break;
    case Kind::Note:
      e.kind = Event::Kind::Note;
      e.text = in.Text();
      break;
    case Kind::Done:
      e.kind = Event::Kind::Done;
      Stop();
      break;
    case Kind::Error: {
      const std::string message = in.Text();
      Stop();
      throw StoreError(message);
    }
    default:
      Failed(false);
  }
  return e;
}

}  // namespace store::jet
