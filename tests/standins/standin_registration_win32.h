#pragma once

// The stand-in's class registration: its class id under the ProgID
// "Excel.Application", its executable as the local server, and the worksheet
// events dispinterface marshalled by the standard dispatch proxy.

#include <windows.h>

// A class id of our own.
inline constexpr CLSID kStandinClassId = {
    0x6A3F2C41, 0x8B5E, 0x4D17, {0x9C, 0x2A, 0x5E, 0x7B, 0x1D, 0x0F, 0x3A, 0x92}};

// `serverArguments` follow the executable's path on the server's command line.
bool RegisterStandin(const wchar_t* serverArguments);
bool UnregisterStandin();
