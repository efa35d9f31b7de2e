// The localisation library's fixed English messages.
#include "deVadirazaConst.h"

const char* const SCorePolyglotNotAssigned = "Core polyglot is not assigned.";
const char* const SCoreMultiLangNotAssigned = "Core multi lang is not assigned";
const char* const SCoreSingleInstance =
    "Core Multi Lang is single instance class. Please use GetCorePolyglot class function to "
    "obtain an instance.";

std::string ReadOnlyFileMessage(const std::string& fileName) {
  return "File \"" + fileName + "\" is read-only";
}

const char* const SHookOutOfReach =
    "The replacement routine lies beyond the reach of a relative jump from the routine it "
    "replaces.";
