#pragma once
// A thin RAII layer over SQLite's C API: a connection, prepared statements
// with bound parameters (values never go into the SQL text), and a write
// transaction that rolls back unless committed. Failures throw SqlError with
// SQLite's code and message.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace gp::sql {

struct SqlError : std::runtime_error {
  SqlError(int code, const std::string& message) : std::runtime_error(message), code(code) {}
  int code;  // SQLite's primary result code (SQLITE_BUSY, SQLITE_CORRUPT, ...)
};

// True for the codes that say the file is not a database or is damaged.
bool IsDamage(int code);
// True for the codes of a database that cannot be written now: locked, busy,
// read-only, full, or an input/output error.
bool IsUnwritable(int code);

class Database {
 public:
  enum class Access { ReadOnly, ReadWrite, Create };

  Database() = default;
  // Opens `path`; Create makes the file when it is missing. The file is not
  // read until the first statement.
  Database(const std::string& path, Access access);
  ~Database();
  Database(Database&& other) noexcept;
  Database& operator=(Database&& other) noexcept;
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  bool open() const { return db_ != nullptr; }
  void Close();
  // Runs fixed SQL text (one or more statements, no values).
  void Exec(const char* sql);
  // How long a statement waits for another connection's lock, milliseconds.
  void SetBusyTimeout(int ms);
  // Whether the connection may not write (opened read-only or the file is).
  bool ReadOnly() const;
  int64_t LastInsertId() const;
  // Rows changed by the last INSERT, UPDATE or DELETE.
  int Changes() const;
  sqlite3* get() const { return db_; }

  // Throws SqlError for a result code other than SQLITE_OK.
  void Check(int code) const;

 private:
  sqlite3* db_ = nullptr;
};

class Statement {
 public:
  Statement(Database& db, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Parameters from 1, in the order of the ? marks.
  Statement& Bind(int index, int64_t value);
  Statement& Bind(int index, std::string_view value);
  Statement& BindNull(int index);
  // Binds every argument in turn, from parameter 1.
  template <typename... Args>
  Statement& BindAll(const Args&... args) {
    int i = 0;
    (BindOne(++i, args), ...);
    return *this;
  }

  // The next row: true when there is one, false when done.
  bool Step();
  // Runs a statement that returns no rows.
  void Run();
  void Reset();

  int64_t Int(int column) const;  // from 0
  double Real(int column) const;
  std::string Text(int column) const;
  bool IsNull(int column) const;

 private:
  void BindOne(int i, int64_t v) { Bind(i, v); }
  void BindOne(int i, int v) { Bind(i, static_cast<int64_t>(v)); }
  void BindOne(int i, bool v) { Bind(i, static_cast<int64_t>(v)); }
  void BindOne(int i, const std::string& v) { Bind(i, std::string_view(v)); }
  void BindOne(int i, const char* v) { Bind(i, std::string_view(v)); }

  Database& db_;
  sqlite3_stmt* stmt_ = nullptr;
};

// BEGIN IMMEDIATE (the write lock at once, so that a busy database fails here
// and not half way); ROLLBACK when it goes out of scope uncommitted.
class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  Database& db_;
  bool done_ = false;
};

}  // namespace gp::sql
