#pragma once
// The hive on disk: reading the file, saving it atomically, and putting a file
// that cannot be read aside (never deleting or overwriting it).

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

#include "launcher/reg_hive.h"

namespace gp {

// The steps of a save, in order.
enum class SaveStep {
  kCreateFolder,  // create the missing folders (mode 0700)
  kOpenTemp,      // create "<file>.tmp" (mode 0600)
  kWrite,         // one chunk of the text; may happen many times
  kSyncFile,      // fsync the temporary file
  kCloseFile,
  kRename,     // rename the temporary file over the hive file
  kSyncFolder  // fsync the folder; a failure here is ignored (the new file is in place)
};

// A seam for tests: `before` is called before each step with the number of
// bytes written so far; returning false makes that step fail as the system
// call would (EIO). A test may also end the process there to simulate a crash.
struct SaveFaults {
  std::function<bool(SaveStep step, size_t written)> before;
  size_t write_chunk = 1u << 16;  // bytes per write call; tests make it small
};

struct HiveLoad {
  enum class Status {
    kOk,           // read; `report` tells about skipped lines
    kMissing,      // no file: a first run
    kUnparseable,  // not a hive (no header line, too large)
    kUnreadable,   // the file exists but could not be read
  };
  Status status = Status::kMissing;
  RegHive hive;
  RegParseReport report;
  std::string message;  // for kUnparseable and kUnreadable: what is wrong, naming the file
};

HiveLoad LoadHiveFile(const std::filesystem::path& file);

// Writes the hive's text to `file` atomically: "<file>.tmp" in the same folder
// is written, synced and renamed over `file`, then the folder is synced.
// Returns "" on success, else an error message; after a failure `file` is as it
// was before and the temporary file is removed.
std::string SaveHiveFile(const std::filesystem::path& file, const RegHive& hive,
                         const SaveFaults& faults = {});

// Moves `file` to the first free name of "<file>.bad", "<file>.bad.1", ...
// "<file>.bad.999" (never replacing anything). Returns the new path, or an empty
// path with `error` set.
std::filesystem::path KeepAside(const std::filesystem::path& file, std::string& error);

// The same, but `file` stays where it is: the kept name gets a second link to
// it (or a copy where links are not possible).
std::filesystem::path KeepCopy(const std::filesystem::path& file, std::string& error);

}  // namespace gp
