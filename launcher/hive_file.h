#pragma once
// The hive on disk: reading the file, saving it atomically, and putting a file
// that cannot be read aside (never deleting or overwriting it).

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

#include "base/user_files.h"
#include "launcher/reg_hive.h"

namespace gp {

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

}  // namespace gp
