// Error texts of the readers: printf-style formatting into a string.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

namespace formats::detail {

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
inline bool
Fail(std::string& error, const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    error = buffer;
    return false;
}

} // namespace formats::detail
