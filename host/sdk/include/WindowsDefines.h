#pragma once

// The window system's basic types. The Windows build takes them from the system headers; the native
// build declares the handle types as opaque pointers and the integer types with their Windows widths,
// so that portable code can name them without pulling in anything else of the window system.
// The header does not define NOMINMAX: with <windows.h>, min and max are the window system's macros
// unless the project that includes it defines NOMINMAX itself.

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <cstddef>
#include <cstdint>

typedef int BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef uint32_t ULONG;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef uintptr_t ULONG_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef void* LPVOID;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct HWND__;
typedef HWND__* HWND;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;

typedef DWORD (*LPTHREAD_START_ROUTINE)(LPVOID);
typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);

struct DLGTEMPLATE;

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
#endif
