#pragma once
// SettingsStore: the launcher's settings in the per-user registry hive. Each
// setting is a key of its own below the key path
// (\Group\Company\Application\[User\]), holding one value of the same name.
//
// The store is active for one read or write batch at a time: Open loads the
// hive file, Close saves it (atomically) when the batch wrote something.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "launcher/hive_file.h"

namespace gp {

// Misuse of the store: "This property may not be empty", "Registry not opened".
struct SettingsError : std::runtime_error {
  explicit SettingsError(const std::string& message) : std::runtime_error(message) {}
};

// Names of the registry roots, by root key index 0..6.
constexpr int kRootKeyCount = 7;
constexpr int kCurrentUserRoot = 1;
const char* RootKeyName(int index);

// The hive file: $XDG_CONFIG_HOME/galaputt/user.reg, or
// $HOME/.config/galaputt/user.reg when XDG_CONFIG_HOME is unset, empty or not
// absolute. Empty when neither gives a folder.
std::filesystem::path DefaultHiveFile();
std::filesystem::path HiveFileFor(const char* xdg_config_home, const char* home);

// How a lookup went: no key for the setting; the key holds no usable value of
// the asked type (also when it lacks the value); or a value.
enum class Found { kMissing, kWrongType, kOk };

template <typename T>
struct Lookup {
  Found status = Found::kMissing;
  T value{};  // false, 0 or "" unless kOk
};

// The accessor of one batch: the loaded hive and the root it is opened on.
struct RegistryAccessor;

class SettingsStore {
 public:
  // The launcher's own instance: "Software\zorbel games\Galaputt SE v1.1" under
  // the current user's root, kept in `hive_file`.
  explicit SettingsStore(std::filesystem::path hive_file = DefaultHiveFile());
  // Closes an open batch, saving what it wrote.
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Path parts; assigning an empty string throws SettingsError.
  const std::string& Group() const { return group_; }
  const std::string& Company() const { return company_; }
  const std::string& Application() const { return application_; }
  const std::string& User() const { return user_; }  // may be empty
  void SetGroup(std::string_view v);
  void SetCompany(std::string_view v);
  void SetApplication(std::string_view v);
  void SetUser(std::string_view v);
  // Root key index 0..6 (kCurrentUserRoot = 1); others throw SettingsError.
  int RootKey() const { return root_; }
  void SetRootKey(int index);
  // "\Group\Company\Application\" plus "User\" when the user part is set.
  const std::string& KeyPath() const { return key_path_; }
  const std::filesystem::path& HiveFile() const { return hive_file_; }

  // Setting the flag to the value it has does nothing. Activating loads the
  // hive; deactivating saves it when the batch wrote something.
  bool Active() const { return active_; }
  void SetActive(bool active);
  void Open();
  // False when the batch's save failed (see LastError).
  bool Close();

  // A missing key reads false, 0 or "", and so does a value of another type.
  // While not active: throws SettingsError("Registry not opened") when there is
  // no accessor, else false, 0 or "".
  bool ReadBool(std::string_view name) const { return LookupBool(name).value; }
  int32_t ReadInteger(std::string_view name) const { return LookupInteger(name).value; }
  std::string ReadString(std::string_view name) const { return LookupString(name).value; }
  // The same reads, telling a missing key from a value of the wrong type.
  Lookup<bool> LookupBool(std::string_view name) const;  // any non-zero dword is true
  Lookup<int32_t> LookupInteger(std::string_view name) const;
  Lookup<std::string> LookupString(std::string_view name) const;  // up to the first zero byte

  // While active, creates the setting's key and writes its value (a boolean as
  // 1 or 0); while not active, does nothing. False when nothing was written;
  // an invalid name or an over-long text also sets LastError.
  bool WriteBool(std::string_view name, bool value);
  bool WriteInteger(std::string_view name, int32_t value);
  bool WriteString(std::string_view name, std::string_view value);

  // What went wrong in the current or last batch (a refused write, a failed
  // save); "" when nothing did.
  const std::string& LastError() const { return last_error_; }
  // A message about the hive file that Open found unreadable or damaged (what
  // was kept aside where), "" when there is none; each is handed out once.
  std::string TakeNotice() { return std::exchange(notice_, {}); }

  // Tests: make saves fail or stop at chosen steps.
  void SetSaveFaults(SaveFaults faults) { faults_ = std::move(faults); }
  // Tests: every Open, Close, read and write is appended to `trace` ("Open",
  // "ReadBool RunOnce", "WriteString skin", ...); nullptr stops it.
  void SetTrace(std::vector<std::string>* trace) { trace_ = trace; }

 private:
  void SetPart(std::string& part, std::string_view v);
  void RebuildKeyPath();
  void Load();
  std::string Save();
  void Notice(const std::string& message);
  std::string KeyFor(std::string_view name) const;
  void Trace(std::string_view op, std::string_view name = {}) const;
  const RegValue* Value(std::string_view name, bool& key_exists) const;
  Lookup<int32_t> LookupDword(std::string_view name) const;
  bool Write(std::string_view op, std::string_view name, RegValue value);

  std::string group_ = "Software";
  std::string company_ = "zorbel games";
  std::string application_ = "Galaputt SE v1.1";
  std::string user_;
  int root_ = kCurrentUserRoot;
  std::string key_path_;
  std::filesystem::path hive_file_;
  bool active_ = false;
  std::unique_ptr<RegistryAccessor> accessor_;  // only while active
  SaveFaults faults_;
  std::string last_error_;
  std::string notice_;
  std::string last_notice_;    // not repeated while the file stays as it is
  bool save_blocked_ = false;  // the file could not be read nor kept aside
  bool keep_copy_ = false;     // the file had lines that were skipped: keep it before replacing
  std::vector<std::string>* trace_ = nullptr;
};

}  // namespace gp
