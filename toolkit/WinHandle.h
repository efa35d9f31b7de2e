// The window handle behind the toolkit's untyped handles. Internal to the toolkit's Windows
// sources, which include the system header anyway.
#pragma once

#include <windows.h>

inline HWND Hwnd(void* handle) { return static_cast<HWND>(handle); }
