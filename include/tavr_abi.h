// Calling convention and visibility of the exports of the program's shared
// libraries. On 32-bit Windows the exports use __stdcall, so the compiler
// decorates them as _name@N; everywhere else the plain C name is exported.
// Which functions a Windows DLL exports is its .def file's choice
// (cmake/TavrWindows.cmake), so that nothing else is exported.
#ifndef TAVR_ABI_H
#define TAVR_ABI_H

#if defined(_WIN32) && !defined(_WIN64)
#define TAVR_CALL __stdcall
#else
#define TAVR_CALL
#endif

#if defined(_WIN32)
// The .def file of each DLL lists its exports, under the names callers bind.
#define TAVR_EXPORT
#else
#define TAVR_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define TAVR_EXTERN_C extern "C"
#else
#define TAVR_EXTERN_C
#endif

// Declares an exported function: TAVR_API(int) name(args);
#define TAVR_API(ret) TAVR_EXTERN_C TAVR_EXPORT ret TAVR_CALL

#endif
