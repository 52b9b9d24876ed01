#pragma once

// Makes the C library's character encoding UTF-8 when the environment leaves
// it at another one; without LANG (a fresh system's root shell) it is the
// 7-bit "C" locale. Qt hands its text to the C library as UTF-8: window
// captions reach the X server through Xlib's multibyte conversion, which reads
// them in the C library's encoding, so in the "C" locale every Chinese caption
// arrives garbled. The user's language is kept where a UTF-8 form of it exists
// (zh_CN.GB2312 becomes zh_CN.UTF-8), otherwise C.UTF-8 serves; the other
// categories of the locale (numbers, messages) stay as the user set them.
// Call it after the application object exists, which reads the locale from
// the environment.
void UseUtf8CharacterEncoding();
