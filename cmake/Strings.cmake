# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# Cache strings that a packager sets end up inside generated C++ and XML:
# escaped here, a quote or a backslash in them can neither break the build
# nor change the program.

# A value as the inside of a C string literal.
function(snapsentry_c_string out value)
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REPLACE "\"" "\\\"" value "${value}")
    string(REPLACE "?" "\\?" value "${value}") # no trigraphs, whatever the standard
    string(REPLACE "\n" "\\n" value "${value}")
    string(REPLACE "\r" "\\r" value "${value}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

# A value as XML character data or an attribute value.
function(snapsentry_xml_string out value)
    string(REPLACE "&" "&amp;" value "${value}")
    string(REPLACE "<" "&lt;" value "${value}")
    string(REPLACE ">" "&gt;" value "${value}")
    string(REPLACE "\"" "&quot;" value "${value}")
    string(REPLACE "'" "&apos;" value "${value}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

# BuildInfo.h from its template, with the About box's texts escaped.
function(snapsentry_build_info template output)
    foreach(name LAST_UPDATE COPYRIGHT MAIL URL)
        snapsentry_c_string(SNAPSENTRY_${name}_C "${SNAPSENTRY_${name}}")
    endforeach()
    configure_file(${template} ${output} @ONLY)
endfunction()
