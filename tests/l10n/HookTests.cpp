// The jump over the resource-string loader, the replacement loader, and the lookup of
// resource strings in the current language file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Consts.h"
#include "TestFiles.h"
#include "deVadirazaConst.h"
#include "deVadirazaUn.h"

namespace {

std::vector<std::uint8_t> Bytes(const void* address, std::size_t count = 5) {
  const auto* p = static_cast<const std::uint8_t*>(address);
  return {p, p + count};
}

DWORD ProtectionOf(const void* address) {
  MEMORY_BASIC_INFORMATION info = {};
  EXPECT_NE(VirtualQuery(address, &info, sizeof info), 0u);
  return info.Protect;
}

// Two routines of the test's own, so that patching one changes nothing else.
__attribute__((noinline, noipa)) int Original(int x) { return x + 1; }
__attribute__((noinline, noipa)) int Replacement(int x) { return x * 100; }

void* Address(int (*routine)(int)) { return reinterpret_cast<void*>(routine); }

TEST(HookJump, IsARelativeJumpWithTheDisplacementLeastSignificantByteFirst) {
  struct Case {
    std::uintptr_t target, replacement;
    std::vector<std::uint8_t> jump;
  };
  const Case cases[] = {
      {0x1000, 0x2000, {0xE9, 0xFB, 0x0F, 0x00, 0x00}},
      {0x2000, 0x1000, {0xE9, 0xFB, 0xEF, 0xFF, 0xFF}},
  };
  for (const Case& c : cases) {
    std::uint8_t jump[5];
    THook::BuildJump(c.target, c.replacement, jump);
    EXPECT_EQ(Bytes(jump), c.jump);
  }
}

TEST(HookJump, AReplacementOutOfReachIsAClearErrorNotAWrongJump) {
  if (sizeof(void*) == 4) GTEST_SKIP() << "every distance reaches on a 32-bit system";
  std::uint8_t jump[5] = {};
  const std::uint64_t beyondReach = 0x1000 + (std::uint64_t{1} << 32);
  try {
    THook::BuildJump(0x1000, static_cast<std::uintptr_t>(beyondReach), jump);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), SHookOutOfReach);
  }
}

TEST(Hook, StartsDisabledAndSwitchesOnlyWhenTheStateChanges) {
  const std::vector<std::uint8_t> original = Bytes(Address(Original));
  const DWORD protection = ProtectionOf(Address(Original));
  {
    THook hook(Address(Original), Address(Replacement));
    EXPECT_FALSE(hook.Enabled());
    EXPECT_EQ(Bytes(Address(Original)), original);
    EXPECT_EQ(Bytes(hook.SavedCode), original);
    // Pages of the executable's image report a writable mapping as copy-on-write.
    EXPECT_TRUE(ProtectionOf(Address(Original)) == PAGE_EXECUTE_READWRITE ||
                ProtectionOf(Address(Original)) == PAGE_EXECUTE_WRITECOPY);

    hook.SetEnabled(true);
    EXPECT_EQ(Bytes(Address(Original)), Bytes(hook.JumpCode));
    EXPECT_EQ(Original(3), 300);
    // A second enable writes nothing: a changed jump in the hook does not reach the code.
    const std::vector<std::uint8_t> jump = Bytes(hook.JumpCode);
    hook.JumpCode[1] ^= 0xFF;
    hook.SetEnabled(true);
    EXPECT_EQ(Bytes(Address(Original)), jump);
    std::memcpy(hook.JumpCode, jump.data(), 5);

    hook.SetEnabled(false);
    EXPECT_EQ(Bytes(Address(Original)), original);
    EXPECT_EQ(Original(3), 4);
    hook.SavedCode[0] ^= 0xFF;
    hook.SetEnabled(false);
    EXPECT_EQ(Bytes(Address(Original)), original);
    hook.SavedCode[0] ^= 0xFF;
    hook.SetEnabled(true);
  }
  // Destroyed while enabled: the code and its protection are back.
  EXPECT_EQ(Bytes(Address(Original)), original);
  EXPECT_EQ(ProtectionOf(Address(Original)), protection);
  EXPECT_EQ(Original(3), 4);
}

// A core whose language folder holds one file, current from the start.
class ResourceStringTest : public ::testing::Test {
 protected:
  void UseLanguageFile(const std::string& resourceStrings) {
    folder.Write("xx.lng", "[ResourceStrings]\r\n" + resourceStrings);
    core = std::make_unique<TkxCorePolyglot>();
    core->SetLangsDir(folder.Path());
    core->SetCurrentLang("xx");
  }
  static std::string Load(std::intptr_t id) {
    TResStringRec rec{&HInstance, id};
    return LoadResString(&rec);
  }

  TempFolder folder;
  std::unique_ptr<TkxCorePolyglot> core;
};

// The built-in text of 65361 in the toolkit's string table.
const char kBuiltIn[] = "Range check error";

TEST_F(ResourceStringTest, KeysNameTheNumberAloneOrWithAnUnderscoreAndText) {
  struct Case {
    const char* what;
    std::string lines;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"bare number", "65361='A'\r\n", "A"},
      {"number and a word", "65361_RangeError='A'\r\n", "A"},
      {"blanks around the number", "  65361 \t_x='A'\r\n", "A"},
      {"leading zero", "065361='A'\r\n", kBuiltIn},
      {"plus sign", "+65361='A'\r\n", kBuiltIn},
      {"a letter behind the digits", "65361x='A'\r\n", kBuiltIn},
      {"another number", "65360='A'\r\n", kBuiltIn},
      {"the earlier key wins", "65361_first='A'\r\n65361='B'\r\n", "A"},
      {"one key twice: its last line", "65361='A'\r\n65361='B'\r\n", "B"},
      {"an empty value wins", "65361=\r\n", ""},
      {"a value that is no quoted literal", "65361='open\r\n", ""},
      {"codes", "65361='a'#13#10'b'\r\n", "a\r\nb"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UseLanguageFile(c.lines);
    EXPECT_EQ(LoadResString(&SRangeError), c.expected);
    core.reset();
  }
}

TEST_F(ResourceStringTest, ReachesTheToolkitsOwnMessages) {
  UseLanguageFile("65360='Index %d ausserhalb der Liste'\r\n");
  try {
    TList().Get(7);
    ADD_FAILURE() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "Index 7 ausserhalb der Liste");
  }
}

TEST_F(ResourceStringTest, TheSwitchSendsEveryLoadToTheExecutable) {
  UseLanguageFile("65361='A'\r\n");
  EXPECT_TRUE(core->GetTranslateResourceStrings());
  core->SetTranslateResourceStrings(false);
  EXPECT_FALSE(core->GetTranslateResourceStrings());
  EXPECT_EQ(LoadResString(&SRangeError), kBuiltIn);
  core->SetTranslateResourceStrings(true);
  EXPECT_EQ(LoadResString(&SRangeError), "A");
}

TEST_F(ResourceStringTest, WithoutALanguageFileTheExecutableAnswers) {
  UseLanguageFile("65361='A'\r\n");
  core->SetCurrentLang("");
  EXPECT_EQ(LoadResString(&SRangeError), kBuiltIn);
  EXPECT_EQ(Load(4242), "");  // no such string
}

TEST_F(ResourceStringTest, ANilRecordAndATextAddressAreNeverLookedUp) {
  static const char text[] = "plain text";
  const auto address = reinterpret_cast<std::intptr_t>(text);
  UseLanguageFile(std::to_string(address) + "='translated'\r\n");
  EXPECT_EQ(LoadResString(nullptr), "");
  EXPECT_EQ(Load(address), "plain text");
}

TEST_F(ResourceStringTest, AFallbackTextIsCutTo1023Bytes) {
  UseLanguageFile("");
  // Number 1 of the test's string table holds 1500 letters, number 2 a run of Cyrillic
  // letters of two bytes each that crosses the cut.
  EXPECT_EQ(Load(1), std::string(1023, 'a'));
  const std::string cyrillic = Load(2);
  EXPECT_EQ(cyrillic.size(), 1022u);
  EXPECT_EQ(cyrillic.substr(0, 4), "жж");
}

TEST_F(ResourceStringTest, TheLoaderIsRestoredWhenTheCoreGoes) {
  void* loader = reinterpret_cast<void*>(&LoadResString);
  const std::vector<std::uint8_t> original = Bytes(loader);
  const DWORD protection = ProtectionOf(loader);
  UseLanguageFile("65361='A'\r\n");
  EXPECT_NE(Bytes(loader), original);
  core.reset();
  EXPECT_EQ(Bytes(loader), original);
  EXPECT_EQ(ProtectionOf(loader), protection);
  EXPECT_EQ(LoadResString(&SRangeError), kBuiltIn);
}

}  // namespace
