#include "launcher/settings_store.h"

#include "base/user_files.h"

namespace gp {

namespace fs = std::filesystem;

struct RegistryAccessor {
  std::string root;      // the root key's name, as set on Open
  RegHive hive;          // the hive file as loaded, plus this batch's writes
  bool changed = false;  // something was written in this batch
};

namespace {

constexpr const char* kRootNames[kRootKeyCount] = {
    "HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};

}  // namespace

const char* RootKeyName(int index) {
  return index >= 0 && index < kRootKeyCount ? kRootNames[index] : "";
}

fs::path HiveFileFor(const char* xdg_config_home, const char* home) {
  const fs::path folder = UserFolderFor(UserFolder::Config, xdg_config_home, home);
  return folder.empty() ? folder : folder / "user.reg";
}

fs::path DefaultHiveFile() {
  const fs::path folder = DefaultUserFolder(UserFolder::Config);
  return folder.empty() ? folder : folder / "user.reg";
}

SettingsStore::SettingsStore(fs::path hive_file) : hive_file_(std::move(hive_file)) {
  RebuildKeyPath();
}

SettingsStore::~SettingsStore() {
  Close();
}

void SettingsStore::SetPart(std::string& part, std::string_view v) {
  if (v.empty()) throw SettingsError("This property may not be empty");
  part = v;
  RebuildKeyPath();
}

void SettingsStore::SetGroup(std::string_view v) {
  SetPart(group_, v);
}

void SettingsStore::SetCompany(std::string_view v) {
  SetPart(company_, v);
}

void SettingsStore::SetApplication(std::string_view v) {
  SetPart(application_, v);
}

void SettingsStore::SetUser(std::string_view v) {
  user_ = v;
  RebuildKeyPath();
}

void SettingsStore::SetRootKey(int index) {
  if (index < 0 || index >= kRootKeyCount) throw SettingsError("Root key index out of range");
  root_ = index;
}

void SettingsStore::RebuildKeyPath() {
  key_path_ = "\\" + group_ + "\\" + company_ + "\\" + application_ + "\\";
  if (!user_.empty()) key_path_ += user_ + "\\";
}

void SettingsStore::SetActive(bool active) {
  if (active == active_) return;
  if (active) {
    Open();
  } else {
    Close();
  }
}

void SettingsStore::Open() {
  if (active_) return;
  Trace("Open");
  last_error_.clear();
  accessor_ = std::make_unique<RegistryAccessor>();
  accessor_->root = RootKeyName(root_);
  Load();
  active_ = true;
}

bool SettingsStore::Close() {
  if (!active_) return true;
  Trace("Close");
  std::string error;
  if (accessor_->changed) error = Save();
  accessor_.reset();
  active_ = false;
  if (!error.empty()) last_error_ = error;
  return error.empty();
}

void SettingsStore::Notice(const std::string& message) {
  if (message != last_notice_) notice_ = message;
  last_notice_ = message;
}

// Reads the hive file into the accessor. A file that cannot be read is moved
// aside, so that the next save starts a fresh one without losing it.
void SettingsStore::Load() {
  save_blocked_ = false;
  keep_copy_ = false;
  if (hive_file_.empty()) return;
  HiveLoad load = LoadHiveFile(hive_file_);
  if (load.status == HiveLoad::Status::kMissing) return;
  if (load.status == HiveLoad::Status::kOk) {
    accessor_->hive = std::move(load.hive);
    keep_copy_ = load.report.skipped_lines > 0;
    if (keep_copy_) {
      Notice("Settings: " + std::to_string(load.report.skipped_lines) + " line(s) of \"" +
             hive_file_.string() + "\" could not be read (the first is line " +
             std::to_string(load.report.first_skipped) +
             "); the file will be kept before it is next saved.");
    }
    return;
  }
  std::string error;
  const fs::path kept = KeepAside(hive_file_, error);
  if (!kept.empty()) {
    Notice("Settings: " + load.message + "; it was kept as \"" + kept.string() +
           "\" and the default settings are used.");
    return;
  }
  save_blocked_ = true;
  Notice("Settings: " + load.message + "; " + error +
         "; the default settings are used and will not be saved over it.");
}

std::string SettingsStore::Save() {
  if (hive_file_.empty()) {
    return "Cannot save the settings: no folder for them (HOME is not set).";
  }
  if (save_blocked_) {
    return "The settings were not saved: \"" + hive_file_.string() +
           "\" could not be read and is left as it is.";
  }
  if (keep_copy_) {
    std::string error;
    if (KeepCopy(hive_file_, error).empty()) return "The settings were not saved: " + error;
    keep_copy_ = false;
  }
  return SaveHiveFile(hive_file_, accessor_->hive, faults_);
}

std::string SettingsStore::KeyFor(std::string_view name) const {
  return accessor_->root + key_path_ + std::string(name);
}

const RegValue* SettingsStore::Value(std::string_view name, bool& key_exists) const {
  if (!active_) {
    if (!accessor_) throw SettingsError("Registry not opened");
    key_exists = false;
    return nullptr;
  }
  const RegKey* key = accessor_->hive.FindKey(KeyFor(name));
  key_exists = key != nullptr;
  return key != nullptr ? key->Find(name) : nullptr;
}

void SettingsStore::Trace(std::string_view op, std::string_view name) const {
  if (trace_ == nullptr) return;
  std::string line(op);
  if (op != "Open" && op != "Close") line += ' ' + std::string(name);
  trace_->push_back(std::move(line));
}

Lookup<bool> SettingsStore::LookupBool(std::string_view name) const {
  Trace("ReadBool", name);
  const Lookup<int32_t> n = LookupDword(name);
  return {n.status, n.value != 0};
}

Lookup<int32_t> SettingsStore::LookupInteger(std::string_view name) const {
  Trace("ReadInteger", name);
  return LookupDword(name);
}

Lookup<int32_t> SettingsStore::LookupDword(std::string_view name) const {
  bool key_exists = false;
  const RegValue* v = Value(name, key_exists);
  if (!key_exists) return {};
  const std::optional<uint32_t> n = v != nullptr ? v->AsDword() : std::nullopt;
  if (!n) return {Found::kWrongType, 0};
  return {Found::kOk, static_cast<int32_t>(*n)};
}

Lookup<std::string> SettingsStore::LookupString(std::string_view name) const {
  Trace("ReadString", name);
  bool key_exists = false;
  const RegValue* v = Value(name, key_exists);
  if (!key_exists) return {};
  std::optional<std::string> s = v != nullptr ? v->AsString() : std::nullopt;
  if (!s) return {Found::kWrongType, {}};
  return {Found::kOk, std::move(*s)};
}

bool SettingsStore::Write(std::string_view op, std::string_view name, RegValue value) {
  Trace(op, name);
  if (!active_) return false;
  value.name = name;
  if (!accessor_->hive.SetValue(KeyFor(name), std::move(value))) {
    last_error_ = "Cannot write the setting \"" + std::string(name) +
                  "\": the name or the value is not allowed (too long, or a line break in a name)";
    return false;
  }
  accessor_->changed = true;
  return true;
}

namespace {

RegValue Dword(int32_t value) {
  RegValue v;
  v.form = RegValue::Form::kDword;
  v.dword = static_cast<uint32_t>(value);
  return v;
}

}  // namespace

bool SettingsStore::WriteBool(std::string_view name, bool value) {
  return Write("WriteBool", name, Dword(value ? 1 : 0));
}

bool SettingsStore::WriteInteger(std::string_view name, int32_t value) {
  return Write("WriteInteger", name, Dword(value));
}

bool SettingsStore::WriteString(std::string_view name, std::string_view value) {
  RegValue v;
  // Written with a terminating zero: whatever follows an embedded zero is not kept.
  v.data = value.substr(0, value.find('\0'));
  return Write("WriteString", name, std::move(v));
}

}  // namespace gp
