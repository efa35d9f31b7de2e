// The manager and translator components that forms carry. The manager keeps no language
// state of its own: each property is a view of the core, fetched at each use, so that every
// manager shows the same folder, list and current language.
#include "Forms.h"
#include "deVadirazaConst.h"
#include "deVadirazaUn.h"
#include "kxCtrlUtils.h"

namespace {
TkxCorePolyglot& RequireCore() {
  TkxCorePolyglot* core = TkxCorePolyglot::GetCorePolyglot();
  if (!core) throw Exception(SCorePolyglotNotAssigned);
  return *core;
}

// The common steps of the two changing properties: the handler may veto, and is told the
// old value as the property reads it.
template <class Event, class Read, class Write>
void ChangeWithVeto(TObject* sender, const Event& changing, Read read, const std::string& value,
                    Write write) {
  bool cancel = false;
  if (changing) changing(sender, read(), value, cancel);
  if (cancel) return;
  TkxCorePolyglot* core = TkxCorePolyglot::GetCorePolyglot();
  if (!core) throw Exception(SCoreMultiLangNotAssigned);
  write(*core, value);
}
}  // namespace

// ---- TdeVadirazaManager

const TClassInfo& TdeVadirazaManager::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TdeVadirazaManager>("TdeVadirazaManager", TComponent::StaticClass())
          .Creatable()
          .String("LangsDir", &TdeVadirazaManager::LangsDir, &TdeVadirazaManager::SetLangsDir)
          .String("CurrentLang", &TdeVadirazaManager::CurrentLang,
                  &TdeVadirazaManager::SetCurrentLang)
          .Bool("TranslateResourceStrings", &TdeVadirazaManager::TranslateResourceStrings,
                &TdeVadirazaManager::SetTranslateResourceStrings)
          .Event("CurrentLangChanging", &TdeVadirazaManager::CurrentLangChanging)
          .Event("LangsDirChanging", &TdeVadirazaManager::LangsDirChanging)
          .Event("BeforeAllTranslate", &TdeVadirazaManager::BeforeAllTranslate)
          .Event("AfterAllTranslate", &TdeVadirazaManager::AfterAllTranslate);
  return info;
}

TdeVadirazaManager::TdeVadirazaManager(TComponent* owner)
    : TComponent(owner), translators_(std::make_unique<TList>()) {
  if (TkxCorePolyglot* core = TkxCorePolyglot::GetCorePolyglot()) core->RegisterManager(this);
}

TdeVadirazaManager::~TdeVadirazaManager() {
  // The translators outlive their manager, without one.
  for (int i = translators_->Count() - 1; i >= 0; --i)
    static_cast<TdeVadirazaTranslator*>(translators_->Get(i))->SetManager(nullptr);
  if (TkxCorePolyglot* core = TkxCorePolyglot::GetCorePolyglot()) core->UnregisterManager(this);
}

std::string TdeVadirazaManager::LangsDir() const { return RequireCore().GetLangsDir(); }

void TdeVadirazaManager::SetLangsDir(const std::string& value) {
  ChangeWithVeto(
      this, LangsDirChanging, [this] { return LangsDir(); }, value,
      [](TkxCorePolyglot& core, const std::string& v) { core.SetLangsDir(v); });
}

std::string TdeVadirazaManager::CurrentLang() const { return RequireCore().GetCurrentLang(); }

void TdeVadirazaManager::SetCurrentLang(const std::string& value) {
  ChangeWithVeto(
      this, CurrentLangChanging, [this] { return CurrentLang(); }, value,
      [](TkxCorePolyglot& core, const std::string& v) { core.SetCurrentLang(v); });
}

bool TdeVadirazaManager::TranslateResourceStrings() const {
  return RequireCore().GetTranslateResourceStrings();
}

void TdeVadirazaManager::SetTranslateResourceStrings(bool value) {
  if (TkxCorePolyglot* core = TkxCorePolyglot::GetCorePolyglot())
    core->SetTranslateResourceStrings(value);
}

int TdeVadirazaManager::GetLangCount() const { return RequireCore().GetLangCount(); }

std::string TdeVadirazaManager::GetLangId(int index) const { return RequireCore().GetLangId(index); }

void TdeVadirazaManager::RegisterTranslator(TdeVadirazaTranslator* translator) {
  if (translators_->IndexOf(translator) < 0) translators_->Add(translator);
}

void TdeVadirazaManager::UnregisterTranslator(TdeVadirazaTranslator* translator) {
  translators_->Remove(translator);
}

void TdeVadirazaManager::TranslateAll() {
  if (BeforeAllTranslate) BeforeAllTranslate(this);
  const int count = translators_->Count();
  for (int i = 0; i < count; ++i) static_cast<TdeVadirazaTranslator*>(translators_->Get(i))->Translate();
  if (AfterAllTranslate) AfterAllTranslate(this);
}

void TdeVadirazaManager::TranslateForm(TCustomForm* form) {
  if (TkxCorePolyglot* core = TkxCorePolyglot::GetCorePolyglot()) core->TranslateForm(form);
}

void TdeVadirazaManager::TranslateDataModule(TDataModule* dataModule) {
  if (TkxCorePolyglot* core = TkxCorePolyglot::GetCorePolyglot())
    core->TranslateDataModule(dataModule);
}

void TdeVadirazaManager::TranslateFrame(TCustomFrame* frame) {
  if (TkxCorePolyglot* core = TkxCorePolyglot::GetCorePolyglot()) core->TranslateFrame(frame);
}

void TdeVadirazaManager::TranslateScrollingControl(TScrollingWinControl* control) {
  if (TkxCorePolyglot* core = TkxCorePolyglot::GetCorePolyglot())
    core->TranslateScrollingControl(control);
}

// ---- TdeVadirazaTranslator

const TClassInfo& TdeVadirazaTranslator::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TdeVadirazaTranslator>("TdeVadirazaTranslator", TComponent::StaticClass())
          .Creatable()
          .Object("Manager", &TdeVadirazaTranslator::Manager, &TdeVadirazaTranslator::SetManager)
          .Event("BeforeTranslate", &TdeVadirazaTranslator::BeforeTranslate)
          .Event("AfterTranslate", &TdeVadirazaTranslator::AfterTranslate);
  return info;
}

TdeVadirazaTranslator::TdeVadirazaTranslator(TComponent* owner) : TComponent(owner) {}

TdeVadirazaTranslator::~TdeVadirazaTranslator() {
  if (manager_) manager_->UnregisterTranslator(this);
}

void TdeVadirazaTranslator::SetManager(TdeVadirazaManager* manager) {
  if (manager == manager_) return;
  if (manager_) manager_->UnregisterTranslator(this);
  manager_ = manager;
  if (manager_) manager_->RegisterTranslator(this);
}

void TdeVadirazaTranslator::Loaded() {
  TComponent::Loaded();
  Translate();
}

void TdeVadirazaTranslator::Translate() {
  if (HasState(csDesigning)) return;
  if (BeforeTranslate) BeforeTranslate(this);
  TComponent* owner = Owner();
  if (owner && manager_) {
    // Forms and frames are scrolling controls too; the order of the tests sends them to
    // their own operations.
    if (auto* form = ObjectAs<TCustomForm>(owner)) {
      manager_->TranslateForm(form);
    } else if (auto* dataModule = ObjectAs<TDataModule>(owner)) {
      manager_->TranslateDataModule(dataModule);
    } else if (auto* frame = ObjectAs<TCustomFrame>(owner)) {
      manager_->TranslateFrame(frame);
    } else if (auto* control = ObjectAs<TScrollingWinControl>(owner);
               control && InheritsFromClassName(control, "TIWForm")) {
      manager_->TranslateScrollingControl(control);
    }
  }
  if (AfterTranslate) AfterTranslate(this);
}
