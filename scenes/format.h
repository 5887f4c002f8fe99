// Brindlecot scenes — printf into a string, for the tests' expected calls and the demo's story.

#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

namespace scenes {

__attribute__((__format__(__printf__, 1, 2))) inline std::string fmt(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

}  // namespace scenes
