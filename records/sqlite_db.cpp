#include "records/sqlite_db.h"

#include <sqlite3.h>

#include <utility>

namespace gp::sql {

bool IsDamage(int code) {
  const int primary = code & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_FORMAT;
}

bool IsUnwritable(int code) {
  const int primary = code & 0xFF;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED || primary == SQLITE_READONLY ||
         primary == SQLITE_FULL || primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN ||
         primary == SQLITE_PERM || primary == SQLITE_AUTH;
}

Database::Database(const std::string& path, Access access) {
  int flags = SQLITE_OPEN_NOMUTEX;
  switch (access) {
    case Access::ReadOnly:
      flags |= SQLITE_OPEN_READONLY;
      break;
    case Access::ReadWrite:
      flags |= SQLITE_OPEN_READWRITE;
      break;
    case Access::Create:
      flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
      break;
  }
  const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    Close();
    throw SqlError(rc, message);
  }
  sqlite3_extended_result_codes(db_, 1);
}

Database::~Database() {
  Close();
}

Database::Database(Database&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}

Database& Database::operator=(Database&& other) noexcept {
  if (this != &other) {
    Close();
    db_ = std::exchange(other.db_, nullptr);
  }
  return *this;
}

void Database::Close() {
  // Every statement is finalized by its owner first, so this always closes.
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

void Database::Check(int code) const {
  if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE) return;
  throw SqlError(code, db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code));
}

void Database::Exec(const char* sql) {
  Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr));
}

void Database::SetBusyTimeout(int ms) {
  sqlite3_busy_timeout(db_, ms);
}

bool Database::ReadOnly() const {
  return sqlite3_db_readonly(db_, "main") != 0;
}

int64_t Database::LastInsertId() const {
  return sqlite3_last_insert_rowid(db_);
}

int Database::Changes() const {
  return sqlite3_changes(db_);
}

Statement::Statement(Database& db, const char* sql) : db_(db) {
  db_.Check(sqlite3_prepare_v2(db_.get(), sql, -1, &stmt_, nullptr));
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement& Statement::Bind(int index, int64_t value) {
  db_.Check(sqlite3_bind_int64(stmt_, index, value));
  return *this;
}

Statement& Statement::Bind(int index, std::string_view value) {
  db_.Check(sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()),
                              SQLITE_TRANSIENT));
  return *this;
}

Statement& Statement::BindNull(int index) {
  db_.Check(sqlite3_bind_null(stmt_, index));
  return *this;
}

bool Statement::Step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  // The statement's own error: reset returns the same code with its message.
  sqlite3_reset(stmt_);
  db_.Check(rc);
  return false;
}

void Statement::Run() {
  while (Step()) {
  }
}

void Statement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int64_t Statement::Int(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

double Statement::Real(int column) const {
  return sqlite3_column_double(stmt_, column);
}

std::string Statement::Text(int column) const {
  const unsigned char* text = sqlite3_column_text(stmt_, column);
  if (text == nullptr) return "";
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
}

bool Statement::IsNull(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

Transaction::Transaction(Database& db) : db_(db) {
  db_.Exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (done_) return;
  // A failed statement may have rolled the transaction back already.
  if (sqlite3_get_autocommit(db_.get()) == 0)
    sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
  db_.Exec("COMMIT");
  done_ = true;
}

}  // namespace gp::sql
