#pragma once

// CoreExport marks what the host SDK module offers to the host and to plug-ins. On Windows the SDK is a
// DLL of its own (built with BLD_CORE); elsewhere it is a shared library with default visibility.

#ifdef _WIN32
#ifdef BLD_CORE
#define CoreExport __declspec(dllexport)
#else
#define CoreExport __declspec(dllimport)
#endif
#else
#define CoreExport __attribute__((visibility("default")))
#endif
