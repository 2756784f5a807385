# Fails when a toolkit's headers appear outside its folders, so that the logic builds
# for every window and each window's code stays in folders named for it:
# - Qt headers only in widgets/ (or qt/) folders and the program's main (app/main.cpp);
# - Win32 headers (<windows.h> and the user-interface and device headers beside it)
#   only in platform/windows/ (the system pair) and win32/ folders (the Win32 window).
#   cmake -DSOURCE_DIR=<src> -P check_toolkit_boundary.cmake
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(win32_headers "windows|winuser|winbase|commctrl|commdlg|shellapi|shlobj|shobjidl|objbase|ole2|oleacc|uxtheme|dbt|setupapi|cfgmgr32|winioctl")
set(offenders "")
foreach(source IN LISTS sources)
    if(NOT (source MATCHES "(^|/)(widgets|qt)/" OR source STREQUAL "app/main.cpp"))
        file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
        if(lines)
            list(APPEND offenders "${source} (Qt): ${lines}")
        endif()
    endif()
    if(NOT (source MATCHES "^platform/windows/" OR source MATCHES "(^|/)win32/"))
        file(STRINGS ${SOURCE_DIR}/${source} lines
             REGEX "^[ \t]*#[ \t]*include[ \t]*<(${win32_headers})\\.h>")
        if(lines)
            list(APPEND offenders "${source} (Win32): ${lines}")
        endif()
    endif()
endforeach()
if(offenders)
    list(JOIN offenders "\n  " text)
    message(FATAL_ERROR "Toolkit headers outside their folders:\n  ${text}")
endif()
message(STATUS "Qt headers only in widgets/ folders and app/main.cpp; Win32 headers only in "
               "platform/windows/ and win32/ folders")
