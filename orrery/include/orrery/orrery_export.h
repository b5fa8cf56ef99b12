// Visibility of the extension library's exported names.
//
// liborrery.so is built with hidden visibility: only the classes and functions
// marked ORRERY_API form its interface to the program and to tests.
#pragma once

#if defined(__GNUC__) || defined(__clang__)
#define ORRERY_API __attribute__((visibility("default")))
#else
#define ORRERY_API
#endif
