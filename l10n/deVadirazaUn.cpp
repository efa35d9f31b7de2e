// The translation core: language folder, language list, current language and its file,
// the managers told of a change, and the unit's start and end.
//
// Two re-entrant locks guard it. The data lock covers the folder, the list, the current
// language, the store and every use of the store; the manager lock covers the manager list
// and the broadcast. The manager lock may be held while the data lock is taken, never the
// reverse: the core leaves the data lock before it enters the manager lock.
#include "deVadirazaUn.h"

#include "FileSys.h"
#include "Forms.h"
#include "deVadirazaConst.h"
#include "kxINIFile.h"
#include "kxStrUtils.h"

namespace {
TkxCorePolyglot* corePolyglot = nullptr;

constexpr const char* kLangExtension = ".lng";
}  // namespace

const TClassInfo& TkxCorePolyglot::StaticClass() {
  static const TClassInfo info("TkxCorePolyglot", &TObject::StaticClass(), {});
  return info;
}

TkxCorePolyglot* TkxCorePolyglot::GetCorePolyglot() { return corePolyglot; }

TkxCorePolyglot::TkxCorePolyglot() {
  if (corePolyglot) throw Exception(SCoreSingleInstance);
  dataLock_ = std::make_unique<TCriticalSection>();
  managerLock_ = std::make_unique<TCriticalSection>();
  langs_ = std::make_unique<TStringList>();
  managers_ = std::make_unique<TList>();
  corePolyglot = this;
  // A failure from here on (a language file that cannot be opened) destroys the half-built
  // core; the reference must not be left pointing at it.
  try {
    SetLangsDir(".\\Language\\");
    SelectLang("English");
    hook_ = std::make_unique<THook>(reinterpret_cast<void*>(&LoadResString),
                                    reinterpret_cast<void*>(&NewLoadResString));
    hook_->SetEnabled(true);
  } catch (...) {
    corePolyglot = nullptr;
    throw;
  }
}

TkxCorePolyglot::~TkxCorePolyglot() {
  // The hook goes first, so that no resource string reaches a store or lock that is gone.
  hook_.reset();
  managerLock_.reset();
  dataLock_.reset();
  store_.reset();
  langs_.reset();
  managers_.reset();
  if (corePolyglot == this) corePolyglot = nullptr;
}

void TkxCorePolyglot::SetLangsDir(const std::string& folder) {
  bool changed = false;
  const std::string previous = GetCurrentLang();
  {
    TLockGuard lock(*dataLock_);
    if (folder.empty()) {
      // The empty folder is the current one, which may have changed: it is searched anew
      // every time.
      langsDir_.clear();
      RescanLangs();
      changed = true;
    } else {
      const std::string normal = folder.back() == '\\' ? folder : folder + '\\';
      if (!AnsiSameText(normal, langsDir_)) {
        langsDir_ = normal;
        RescanLangs();
        changed = true;
      }
    }
  }
  if (changed) SelectLang(previous);
}

void TkxCorePolyglot::RescanLangs() {
  currentLang_.clear();
  langs_->Clear();
  std::vector<TSearchRec> entries;
  ListFolder(langsDir_ + "*" + kLangExtension, faAnyFile, &entries);
  // Kept in the order of the search, without sorting and without a test for duplicates.
  for (const TSearchRec& entry : entries) AddLang(ExtractFileBaseName(entry.Name));
}

void TkxCorePolyglot::AddLang(const std::string& id) { langs_->Add(id); }

void TkxCorePolyglot::SelectLang(const std::string& id) {
  SetCurrentLang(id);
  if (GetCurrentLang().empty() && GetLangCount() > 0) SetCurrentLang(GetLangId(0));
}

void TkxCorePolyglot::SetCurrentLang(const std::string& id) {
  bool changed = false;
  {
    TLockGuard lock(*dataLock_);
    // Whether anything changes is decided with regard to case, whether the language is
    // known without: "EN" replaces a current "en" and reloads its file.
    if (currentLang_ != id && (id.empty() || langs_->IndexOf(id) >= 0)) {
      currentLang_ = id;
      LoadLangFile();
      changed = true;
    }
  }
  TLockGuard lock(*managerLock_);
  if (changed) TranslateAllManagers();
}

void TkxCorePolyglot::LoadLangFile() {
  if (std::unique_ptr<TkxINIFile> old = std::move(store_)) {
    // The write-back's error must reach the caller, which a destructor cannot pass on; the
    // old store is freed either way.
    old->WriteBack();
  }
  const std::string id = GetCurrentLang();
  if (id.empty()) return;
  const std::string path = langsDir_ + id + kLangExtension;
  if (FileExists(path)) store_ = std::make_unique<TkxINIFile>(path);
}

void TkxCorePolyglot::TranslateAllManagers() {
  const int count = managers_->Count();
  // A manager that unregisters during the broadcast shortens the list; the index past its
  // end then raises the list error, which ends the broadcast.
  for (int i = 0; i < count; ++i) static_cast<TdeVadirazaManager*>(managers_->Get(i))->TranslateAll();
}

std::string TkxCorePolyglot::GetLangsDir() {
  TLockGuard lock(*dataLock_);
  return langsDir_;
}

int TkxCorePolyglot::GetLangCount() {
  TLockGuard lock(*dataLock_);
  return langs_->Count();
}

std::string TkxCorePolyglot::GetLangId(int index) {
  TLockGuard lock(*dataLock_);
  return langs_->Get(index);
}

std::string TkxCorePolyglot::GetCurrentLang() {
  TLockGuard lock(*dataLock_);
  return currentLang_;
}

void TkxCorePolyglot::RegisterManager(TdeVadirazaManager* manager) {
  TLockGuard lock(*managerLock_);
  if (managers_->IndexOf(manager) < 0) managers_->Add(manager);
}

void TkxCorePolyglot::UnregisterManager(TdeVadirazaManager* manager) {
  TLockGuard lock(*managerLock_);
  managers_->Remove(manager);
}

void TkxCorePolyglot::TranslateUnderDataLock(TComponent* component) {
  TLockGuard lock(*dataLock_);
  TranslateComponent(component);
}

void TkxCorePolyglot::TranslateForm(TCustomForm* form) { TranslateUnderDataLock(form); }

void TkxCorePolyglot::TranslateDataModule(TDataModule* dataModule) {
  TranslateUnderDataLock(dataModule);
}

void TkxCorePolyglot::TranslateFrame(TCustomFrame* frame) { TranslateUnderDataLock(frame); }

void TkxCorePolyglot::TranslateScrollingControl(TScrollingWinControl* control) {
  TranslateUnderDataLock(control);
}

// ---- the unit's start and end

void InitializeDeVadirazaUn() {
  RegisterClasses({&TdeVadirazaManager::StaticClass(), &TdeVadirazaTranslator::StaticClass()});
  new TkxCorePolyglot();
}

void FinalizeDeVadirazaUn() {
  delete TkxCorePolyglot::GetCorePolyglot();
}
