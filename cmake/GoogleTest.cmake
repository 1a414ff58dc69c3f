# GoogleTest built from its sources with the project's own compiler (Debian
# ships it as sources only). MM_GOOGLETEST_DIR is the folder that holds
# src/gtest-all.cc; it is looked for in the usual places and can be given on
# the command line to use another copy.
find_path(MM_GOOGLETEST_DIR
    NAMES src/gtest-all.cc
    PATHS /usr/src/googletest /usr/src/gtest /usr/local/src/googletest /usr/local/src/gtest /opt/googletest
    PATH_SUFFIXES googletest
    NO_DEFAULT_PATH
    # A cross build looks for files below the target's root only; these are host sources.
    NO_CMAKE_FIND_ROOT_PATH
    DOC "GoogleTest sources: the folder that holds src/gtest-all.cc")
if(NOT EXISTS "${MM_GOOGLETEST_DIR}/src/gtest-all.cc")
    message(FATAL_ERROR "GoogleTest sources not found (MM_GOOGLETEST_DIR is '${MM_GOOGLETEST_DIR}'). "
        "Install the Debian package googletest (scripts/install-deps.sh does) or configure with "
        "-DMM_GOOGLETEST_DIR=<folder that holds src/gtest-all.cc>.")
endif()

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(${MM_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
