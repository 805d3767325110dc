# SPDX-License-Identifier: GPL-3.0-or-later
# Header-only libraries from the build machine's own packages (Debian's doctest-dev and
# libfmt-dev), copied into the build tree so that a cross compiler (emscripten, mingw-w64) sees
# them without seeing the rest of the machine's /usr/include.
#
#   tarrowen_header_library(TARGET target HEADER doctest/doctest.h PACKAGE doctest-dev
#                           [DIRECTORY] [OPTIONAL NAME name])
#
# Creates an INTERFACE target whose include directory holds a copy of the header (or, with
# DIRECTORY, of the whole folder it stands in). Fails with the package to install when it is
# missing, unless OPTIONAL: then no target is made, neither when CMAKE_DISABLE_FIND_PACKAGE_<name>
# is on (as for a package that find_package looks for).
function(tarrowen_header_library)
    cmake_parse_arguments(H "DIRECTORY;OPTIONAL" "TARGET;HEADER;PACKAGE;NAME" "" ${ARGN})
    if(TARGET ${H_TARGET})
        return()
    endif()
    if(H_OPTIONAL AND CMAKE_DISABLE_FIND_PACKAGE_${H_NAME})
        return()
    endif()
    find_file(${H_TARGET}_header ${H_HEADER} PATHS /usr/include /usr/local/include
              NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
    if(NOT ${H_TARGET}_header)
        if(H_OPTIONAL)
            return()
        endif()
        message(FATAL_ERROR "${H_HEADER} not found: install ${H_PACKAGE}")
    endif()
    get_filename_component(header_dir ${${H_TARGET}_header} DIRECTORY)
    get_filename_component(subdir ${H_HEADER} DIRECTORY)
    set(dest ${PROJECT_BINARY_DIR}/third_party/${H_TARGET}/${subdir})
    if(H_DIRECTORY)
        file(COPY ${header_dir}/ DESTINATION ${dest})
    else()
        file(COPY ${${H_TARGET}_header} DESTINATION ${dest})
    endif()
    add_library(${H_TARGET} INTERFACE)
    target_include_directories(${H_TARGET} SYSTEM INTERFACE ${PROJECT_BINARY_DIR}/third_party/${H_TARGET})
endfunction()
