#pragma once

// A window as the portable code sees it: the handle's value, 0 when there is
// none. The Win32 adapters convert it to and from HWND.

#include <cstdint>

using WindowHandle = std::uintptr_t;
