// The localisation engine's core and components: the translation core that holds the
// language folder, the language list, the current language and its file; the patch that
// sends every resource string through the current language file; and the manager and
// translator components that forms carry.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Classes.h"
#include "SyncObjs.h"

class TCustomForm;
class TCustomFrame;
class TDataModule;
class TScrollingWinControl;
class TkxINIFile;
class TdeVadirazaManager;
class TdeVadirazaTranslator;

// A five-byte relative jump written over the entry of a routine, so that every call of it
// lands in a replacement instead. There is no trampoline: while the jump is in place the
// patched routine's own code is never reached.
class THook : public TObject {
  DECLARE_CLASS(THook, TObject)
 public:
  // Builds the jump and makes the five bytes writable; the hook starts disabled. Raises
  // EOSError when the protection cannot be changed, and Exception when the replacement lies
  // beyond the reach of a 32-bit displacement.
  THook(void* target, void* replacement);
  // Puts the saved bytes back and then their old protection.
  ~THook() override;

  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool value);

  // The jump's bytes: 0xE9 and the displacement, least significant byte first.
  static void BuildJump(std::uintptr_t target, std::uintptr_t replacement, std::uint8_t jump[5]);

  std::uint32_t OldProtection = 0;
  std::uint8_t JumpCode[5] = {};
  std::uint8_t SavedCode[5] = {};
  std::uint8_t* Target = nullptr;

 private:
  bool Enabled_ = false;
};

// Takes the place of LoadResString while the hook is enabled: the current language file's
// [ResourceStrings] first, then the executable's own string table.
std::string NewLoadResString(const TResStringRec* rec);

// The one process-wide object of the localisation engine.
class TkxCorePolyglot : public TObject {
  DECLARE_CLASS(TkxCorePolyglot, TObject)
 public:
  // Scans ".\Language\", selects "English" or the first language, and installs and enables
  // the resource-string hook. Raises the single-instance error when a core exists already.
  TkxCorePolyglot();
  ~TkxCorePolyglot() override;

  // The core, or nullptr; never creates one.
  static TkxCorePolyglot* GetCorePolyglot();

  // The folder of the language files: empty (the current folder) or ending with "\".
  void SetLangsDir(const std::string& folder);
  std::string GetLangsDir();
  int GetLangCount();
  std::string GetLangId(int index);  // EListError "List index out of bounds (%d)"
  void SetCurrentLang(const std::string& id);
  std::string GetCurrentLang();

  void RegisterManager(TdeVadirazaManager* manager);
  void UnregisterManager(TdeVadirazaManager* manager);

  void TranslateForm(TCustomForm* form);
  void TranslateDataModule(TDataModule* dataModule);
  void TranslateFrame(TCustomFrame* frame);
  void TranslateScrollingControl(TScrollingWinControl* control);
  // Applies the section named after the component's class; the caller holds the data lock.
  void TranslateComponent(TComponent* component);

  // Looks the identifier up in [ResourceStrings] of the current language file.
  bool TranslateResString(std::int32_t id, std::string& text);
  bool GetTranslateResourceStrings() const;
  void SetTranslateResourceStrings(bool value);

 private:
  void SelectLang(const std::string& id);
  void RescanLangs();
  void AddLang(const std::string& id);
  void LoadLangFile();
  void TranslateAllManagers();
  void TranslateUnderDataLock(TComponent* component);

  std::string currentLang_;
  std::unique_ptr<TStringList> langs_;
  std::unique_ptr<TkxINIFile> store_;
  std::unique_ptr<TCriticalSection> dataLock_;
  std::unique_ptr<TCriticalSection> managerLock_;
  std::unique_ptr<TList> managers_;
  std::string langsDir_;
  // Declared last, so that a construction that fails part way removes it first.
  std::unique_ptr<THook> hook_;
};

// Lets the application decide on a change of language or folder before it happens.
using TCurrentLangChangingEvent = std::function<void(
    TObject* Sender, std::string OldLanguage, std::string NewLanguage, bool& Cancel)>;
using TLangsDirChangingEvent = std::function<void(
    TObject* Sender, std::string OldFolder, std::string NewFolder, bool& Cancel)>;

// The application's handle on the core: its properties are views of the core's state, and
// it retranslates the forms of its translators whenever the current language changes.
class TdeVadirazaManager : public TComponent {
  DECLARE_CLASS(TdeVadirazaManager, TComponent)
 public:
  explicit TdeVadirazaManager(TComponent* owner);
  ~TdeVadirazaManager() override;

  std::string LangsDir() const;
  void SetLangsDir(const std::string& value);
  std::string CurrentLang() const;
  void SetCurrentLang(const std::string& value);
  bool TranslateResourceStrings() const;
  void SetTranslateResourceStrings(bool value);

  int GetLangCount() const;
  std::string GetLangId(int index) const;

  void RegisterTranslator(TdeVadirazaTranslator* translator);
  void UnregisterTranslator(TdeVadirazaTranslator* translator);
  int TranslatorCount() const { return translators_->Count(); }
  // Retranslates the owner of every registered translator, in registration order.
  void TranslateAll();

  void TranslateForm(TCustomForm* form);
  void TranslateDataModule(TDataModule* dataModule);
  void TranslateFrame(TCustomFrame* frame);
  void TranslateScrollingControl(TScrollingWinControl* control);

  TCurrentLangChangingEvent CurrentLangChanging;
  TLangsDirChangingEvent LangsDirChanging;
  TNotifyEvent AfterAllTranslate;
  TNotifyEvent BeforeAllTranslate;

 private:
  std::unique_ptr<TList> translators_;
};

// Sits on a form, frame or data module and translates its owner through its manager: once
// when the owner's form resource has been read, and at every retranslation.
class TdeVadirazaTranslator : public TComponent {
  DECLARE_CLASS(TdeVadirazaTranslator, TComponent)
 public:
  explicit TdeVadirazaTranslator(TComponent* owner);
  ~TdeVadirazaTranslator() override;

  TdeVadirazaManager* Manager() const { return manager_; }
  void SetManager(TdeVadirazaManager* manager);

  void Loaded() override;
  void Translate();

  TNotifyEvent BeforeTranslate;
  TNotifyEvent AfterTranslate;

 private:
  TdeVadirazaManager* manager_ = nullptr;
};

// The unit's start and end: the core is made, and with it the hook installed, before any
// form exists; it is destroyed, and the loader restored, after every form is gone.
void InitializeDeVadirazaUn();
void FinalizeDeVadirazaUn();
