// Win32's `MessageBoxA(nullptr, text, caption, MB_OKCANCEL)`: an
// OK/Cancel question with no owner window, shown with Qt or answered through
// the seam (DialogSeam.h).
#pragma once

inline constexpr unsigned MB_OKCANCEL = 0x00000001U;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// `owner` must be nullptr (no owner window); texts are 8-bit (ANSI) texts.
// Returns IDOK or IDCANCEL.
int MessageBoxA(void* owner, const char* text, const char* caption, unsigned type);
