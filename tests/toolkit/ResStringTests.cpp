// Every message of the toolkit is loaded through the one entry of LoadResString, so a jump
// written over that entry reaches all of them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "Classes.h"
#include "Consts.h"

namespace {
std::string Replacement(const TResStringRec* rec) {
  return "intercepted " + std::to_string(rec->Identifier);
}

// Writes a relative jump to Replacement over the loader's first five bytes, for as long as
// it lives.
class LoaderJump {
 public:
  LoaderJump() : target_(reinterpret_cast<std::uint8_t*>(&LoadResString)) {
    std::memcpy(saved_, target_, 5);
    EXPECT_TRUE(VirtualProtect(target_, 5, PAGE_EXECUTE_READWRITE, &protection_));
    std::int64_t distance = reinterpret_cast<std::uint8_t*>(&Replacement) - (target_ + 5);
    EXPECT_TRUE(distance >= INT32_MIN && distance <= INT32_MAX);
    std::int32_t displacement = static_cast<std::int32_t>(distance);
    target_[0] = 0xE9;
    std::memcpy(target_ + 1, &displacement, 4);
    FlushInstructionCache(GetCurrentProcess(), target_, 5);
  }
  ~LoaderJump() {
    std::memcpy(target_, saved_, 5);
    FlushInstructionCache(GetCurrentProcess(), target_, 5);
    DWORD ignored;
    VirtualProtect(target_, 5, protection_, &ignored);
  }

 private:
  std::uint8_t* target_;
  std::uint8_t saved_[5];
  DWORD protection_ = 0;
};
}  // namespace

TEST(ResourceStrings, EveryMessageIsLoadedThroughTheOneLoaderEntry) {
  {
    LoaderJump jump;
    EXPECT_EQ(LoadResFmt(&SRangeError, {}), "intercepted 65361");
    try {
      TList().Get(3);
      ADD_FAILURE() << "no error";
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), "intercepted 65360");
    }
  }
  EXPECT_EQ(LoadResString(&SRangeError), "Range check error");
}

TEST(ResourceStrings, AnIdentifierBeyondTheTableIsTheAddressOfAText) {
  static const char text[] = "plain text";
  TResStringRec rec{&HInstance, reinterpret_cast<std::intptr_t>(text)};
  EXPECT_EQ(LoadResString(&rec), "plain text");
  TResStringRec missing{&HInstance, 4242};
  EXPECT_EQ(LoadResString(&missing), "");
  EXPECT_EQ(LoadResString(nullptr), "");
}
