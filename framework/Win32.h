#pragma once
// One place that decides which Windows headers the whole program sees: the 8-bit API only,
// and the Windows XP level of the common controls.
#ifdef UNICODE
#error "QuorTab is built against the 8-bit (A) Windows API"
#endif
#ifndef WINVER
#define WINVER 0x0501
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0501
#endif
#ifndef _WIN32_IE
#define _WIN32_IE 0x0600
#endif
#include <windows.h>
