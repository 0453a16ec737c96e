# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 Snapsentry developers
#
# Install rules and the Debian package. The program finds its installed files
# relative to its own folder (platform/files/AppLayout.cpp): bin/, lib/snapsentry/
# and share/doc/snapsentry/ stay fixed below the prefix, so a prefix can move.
include(GNUInstallDirs)
# Installing and packaging take what the build made (scripts/build.sh first, as
# the README says); they do not build the tests as well.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(SNAPSENTRY_ID org.example.snapsentry) # the desktop entry's name: keep it stable
set(SNAPSENTRY_MAINTAINER "Snapsentry developers <${SNAPSENTRY_MAIL}>")
set(share ${CMAKE_INSTALL_DATAROOTDIR})
set(generated ${CMAKE_BINARY_DIR}/packaging)

# The converter is the program's own: a private folder named by the run path.
set_target_properties(Snapsentry PROPERTIES INSTALL_RPATH "$ORIGIN/../lib/snapsentry")
install(TARGETS Snapsentry RUNTIME DESTINATION bin)
install(TARGETS SaveJPG LIBRARY DESTINATION lib/snapsentry NAMELINK_SKIP)

snapsentry_xml_string(SNAPSENTRY_URL_XML "${SNAPSENTRY_URL}")
string(REPLACE "/" "-" SNAPSENTRY_RELEASE_DATE "${SNAPSENTRY_LAST_UPDATE}")
snapsentry_xml_string(SNAPSENTRY_RELEASE_DATE_XML "${SNAPSENTRY_RELEASE_DATE}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/${SNAPSENTRY_ID}.metainfo.xml.in
               ${generated}/${SNAPSENTRY_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${generated}/changelog @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Snapsentry.1 ${generated}/Snapsentry.1 COPYONLY)
# Debian wants these compressed, without a time stamp so that builds repeat.
execute_process(COMMAND gzip -9nkf ${generated}/changelog ${generated}/Snapsentry.1
                COMMAND_ERROR_IS_FATAL ANY)

install(FILES resources/Readme.txt ${CMAKE_CURRENT_LIST_DIR}/copyright ${generated}/changelog.gz
        DESTINATION ${share}/doc/snapsentry)
install(FILES ${generated}/Snapsentry.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${SNAPSENTRY_ID}.desktop DESTINATION ${share}/applications)
install(FILES ${generated}/${SNAPSENTRY_ID}.metainfo.xml DESTINATION ${share}/metainfo)
# The PNGs are snapsentry.svg rendered at each size (rsvg-convert -w SIZE).
foreach(size 32 48 64 128 256)
    install(FILES resources/icons/hicolor/${size}.png
            DESTINATION ${share}/icons/hicolor/${size}x${size}/apps RENAME ${SNAPSENTRY_ID}.png)
endforeach()
install(FILES resources/icons/hicolor/snapsentry.svg
        DESTINATION ${share}/icons/hicolor/scalable/apps RENAME ${SNAPSENTRY_ID}.svg)

# cpack -G DEB in the build folder (scripts/package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME snapsentry)
set(CPACK_PACKAGE_VENDOR "Snapsentry developers")
set(CPACK_PACKAGE_CONTACT "${SNAPSENTRY_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photographs the screen at a fixed interval")
set(CPACK_PACKAGE_DESCRIPTION
    "Snapsentry photographs the whole screen at a fixed interval between a start
and an end time of day and stores every shot as a JPEG file in a folder you
choose. It waits in the notification area while a schedule is set. Its user
interface is Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SNAPSENTRY_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its X11 platform plugin at run time, out of shlibdeps' sight.
# Recommended: xdg-utils for the Help menu, a Japanese font, Qt's dialogs in Japanese.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "xdg-utils, fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
# Wayland desktops lend their screen through the portal; GNOME's through a
# PipeWire stream. Desktops that need them run them already.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-desktop-portal, pipewire")
include(CPack)
unset(share)
unset(generated)
