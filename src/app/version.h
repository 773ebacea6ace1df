/* The program's version, the one place it is written. The C++ code, the resource compiler (which reads
   only the preprocessor's part of C), CMake and the release scripts all read it from here. */
#pragma once

#define KW_VERSION_MAJOR 1
#define KW_VERSION_MINOR 2
#define KW_VERSION_REVISION 0

#define KW_VERSION_STR_(x) #x
#define KW_VERSION_STR(x) KW_VERSION_STR_(x)
/* The version resource's FileVersion and ProductVersion strings: the major number, ".", the minor number
   in two digits ("1.02"). */
#if KW_VERSION_MINOR < 10
#define KW_VERSION_RESOURCE_TEXT KW_VERSION_STR(KW_VERSION_MAJOR) ".0" KW_VERSION_STR(KW_VERSION_MINOR)
#else
#define KW_VERSION_RESOURCE_TEXT KW_VERSION_STR(KW_VERSION_MAJOR) "." KW_VERSION_STR(KW_VERSION_MINOR)
#endif
