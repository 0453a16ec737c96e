# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
# Client code for the Wayland protocols the screen grab speaks, generated at
# build time from the protocol descriptions that Debian packages install.

pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
if(NOT WAYLAND_SCANNER OR NOT WAYLAND_PROTOCOLS_DIR)
    message(FATAL_ERROR "wayland-scanner and wayland-protocols are needed (libwayland-dev, wayland-protocols)")
endif()

# wlr-protocols come with the Rust crate's sources (librust-wayland-protocols-dev);
# any version will do, the newest found is used.
file(GLOB wlr_screencopy_found
    /usr/share/cargo/registry/wayland-protocols-*/wlr-protocols/unstable/wlr-screencopy-unstable-v1.xml)
list(SORT wlr_screencopy_found COMPARE NATURAL)
list(POP_BACK wlr_screencopy_found WLR_SCREENCOPY_XML)
if(NOT WLR_SCREENCOPY_XML)
    message(FATAL_ERROR "wlr-screencopy-unstable-v1.xml not found (librust-wayland-protocols-dev)")
endif()
set(XDG_OUTPUT_XML ${WAYLAND_PROTOCOLS_DIR}/unstable/xdg-output/xdg-output-unstable-v1.xml)

set(WAYLAND_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated/wayland)
set(WAYLAND_PROTOCOL_SOURCES)
foreach(xml ${WLR_SCREENCOPY_XML} ${XDG_OUTPUT_XML})
    get_filename_component(name ${xml} NAME_WE)
    set(header ${WAYLAND_GENERATED_DIR}/${name}-client-protocol.h)
    set(code ${WAYLAND_GENERATED_DIR}/${name}-protocol.c)
    add_custom_command(OUTPUT ${header} ${code}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${WAYLAND_GENERATED_DIR}
        COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${header}
        COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code}
        DEPENDS ${xml} VERBATIM)
    list(APPEND WAYLAND_PROTOCOL_SOURCES ${header} ${code})
endforeach()

# Generated code is not ours to hold to our warning flags.
add_library(snapsentry_wayland_protocols STATIC ${WAYLAND_PROTOCOL_SOURCES})
target_include_directories(snapsentry_wayland_protocols PUBLIC ${WAYLAND_GENERATED_DIR})
target_link_libraries(snapsentry_wayland_protocols PUBLIC PkgConfig::WAYLAND_CLIENT)
set_target_properties(snapsentry_wayland_protocols PROPERTIES POSITION_INDEPENDENT_CODE ON)
