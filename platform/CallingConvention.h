#pragma once
// The calling convention of the host's binary contract. The host is a 32-bit Windows program whose
// interfaces, exports and bound functions all use the standard call convention; every other target
// compiles the same declarations with the platform's default convention.

#if defined(_WIN32) && !defined(_WIN64)
#define QV_STDCALL __stdcall
#else
#define QV_STDCALL
#endif

// Marks a function that a module exports by name (the module's entry points, the stand-in host's
// and editor's function families).
#if defined(_WIN32)
#define QV_EXPORT __declspec(dllexport)
#else
#define QV_EXPORT __attribute__((visibility("default")))
#endif
