#pragma once
// A player's own files: where they live (the XDG folders), saving a file so
// that a crash leaves the old or the new one, and putting a file aside under a
// ".bad" name without ever replacing anything.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace gp {

// The folders of a player's files, each ending in "galaputt":
//   Config  $XDG_CONFIG_HOME, else ~/.config       settings
//   Data    $XDG_DATA_HOME,   else ~/.local/share  records, courses of one's own
//   State   $XDG_STATE_HOME,  else ~/.local/state  the unfinished game
//   Cache   $XDG_CACHE_HOME,  else ~/.cache        compiled pictures and sounds
enum class UserFolder { Config, Data, State, Cache };

// The folder from the variable's value and the home folder. A value that is
// unset, empty or not an absolute path is ignored; without a home folder
// either, the result is empty.
std::filesystem::path UserFolderFor(UserFolder kind, const char* xdg, const char* home);
// The same from the environment ($HOME, else the password database).
std::filesystem::path DefaultUserFolder(UserFolder kind);

// The steps of a save, in order.
enum class SaveStep {
  kCreateFolder,  // create the missing folders (mode 0700)
  kOpenTemp,      // create "<file>.tmp" (mode 0600)
  kWrite,         // one chunk of the text; may happen many times
  kSyncFile,      // fsync the temporary file
  kCloseFile,
  kRename,     // rename the temporary file over the file
  kSyncFolder  // fsync the folder; a failure here is ignored (the new file is in place)
};

// A seam for tests: `before` is called before each step with the number of
// bytes written so far; returning false makes that step fail as the system
// call would (EIO). A test may also end the process there to simulate a crash.
struct SaveFaults {
  std::function<bool(SaveStep step, size_t written)> before;
  size_t write_chunk = 1u << 16;  // bytes per write call; tests make it small
};

// Creates each missing folder of `dir` with mode 0700; false with `err` set.
bool CreateFolders(const std::filesystem::path& dir, int& err);

// Writes `text` to `file` atomically: "<file>.tmp" in the same folder is
// written, synced and renamed over `file`, then the folder is synced. Missing
// folders are created. Returns "" on success, else what failed ("cannot write
// \"...\": Input/output error"); after a failure `file` is as it was before and
// the temporary file is removed.
std::string SaveFileAtomically(const std::filesystem::path& file, std::string_view text,
                               const SaveFaults& faults = {});

// Moves `file` to the first free name of "<file>.bad", "<file>.bad.1", ...
// "<file>.bad.999" (never replacing anything). Returns the new path, or an empty
// path with `error` set.
std::filesystem::path KeepAside(const std::filesystem::path& file, std::string& error);

// The same, but `file` stays where it is: the kept name gets a second link to
// it (or a copy where links are not possible).
std::filesystem::path KeepCopy(const std::filesystem::path& file, std::string& error);

}  // namespace gp
