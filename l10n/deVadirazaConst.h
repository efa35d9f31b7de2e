// The localisation library's own messages. They are fixed English texts on purpose: they
// report faults of the library itself, which must read the same whatever language is current.
#pragma once

#include <string>

extern const char* const SCorePolyglotNotAssigned;
extern const char* const SCoreMultiLangNotAssigned;
extern const char* const SCoreSingleInstance;

// The message shown when a modified language store cannot be written back because its
// file is read-only: File "<fileName>" is read-only.
std::string ReadOnlyFileMessage(const std::string& fileName);

// Raised when the replacement of a patched routine lies too far from it for a relative jump.
extern const char* const SHookOutOfReach;
