# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# The About box's cache strings reach the program unchanged, whatever a
# packager puts in them. Run as: cmake -DCXX=... -DSOURCE_DIR=... -DWORK=... -P
include(${SOURCE_DIR}/cmake/Strings.cmake)

set(PROJECT_VERSION_MAJOR 1)
set(PROJECT_VERSION_MINOR 1)
set(SNAPSENTRY_LAST_UPDATE "2026/01/02 ??=??/")
set(SNAPSENTRY_COPYRIGHT "Copyright \"Snap\" \\ Co. \\\\n © 写真")
set(SNAPSENTRY_MAIL "a\\\"; int broken = \"b@example.org")
set(SNAPSENTRY_URL [[https://example.org/?q=1&r=\x41\101 ${NOT_A_VARIABLE} @MAIL@]])
file(REMOVE_RECURSE ${WORK})
snapsentry_build_info(${SOURCE_DIR}/support/BuildInfo.h.in ${WORK}/BuildInfo.h)
file(WRITE ${WORK}/main.cpp [=[
#include "BuildInfo.h"
#include <cstdio>
int main()
{
    std::printf("%s|%s|%s|%s|", buildinfo::LastUpdate, buildinfo::Copyright, buildinfo::Mail,
                buildinfo::Url);
}
]=])
execute_process(COMMAND ${CXX} -std=c++20 -Wall -Werror -o ${WORK}/info ${WORK}/main.cpp
                RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "BuildInfo.h does not compile")
endif()
execute_process(COMMAND ${WORK}/info OUTPUT_VARIABLE printed)
set(expected "${SNAPSENTRY_LAST_UPDATE}|${SNAPSENTRY_COPYRIGHT}|${SNAPSENTRY_MAIL}|${SNAPSENTRY_URL}|")
if(NOT printed STREQUAL expected)
    message(FATAL_ERROR "the program has\n${printed}\ninstead of\n${expected}")
endif()
file(REMOVE_RECURSE ${WORK})
