# SPDX-License-Identifier: GPL-3.0-or-later
# Installation beyond the binary (app/CMakeLists.txt installs that) and the Debian package.
#
#   cmake --install build/release --prefix /tmp/inst     the files, under any prefix
#   cd build/release && cpack -G DEB                     tarrowen_<version>_<arch>.deb
#   apt-get install ./build/release/tarrowen_*.deb       installs it with what it needs

set(pkg ${CMAKE_CURRENT_LIST_DIR})

# qt_standard_project_setup() gives installed binaries a RUNPATH of $ORIGIN and $ORIGIN/../lib,
# meant for bundling Qt beside them; ours uses the system's Qt, so the installed program
# searches only the system's library paths (and /usr/bin/tarrowen carries no RUNPATH).
set_target_properties(tarrowen PROPERTIES INSTALL_RPATH "")

# The desktop entry, the icon and the AppStream metadata are all named after the application's
# id, which is also the Wayland app id that the program announces.
install(FILES ${pkg}/${TARROWEN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${pkg}/${TARROWEN_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${pkg}/${TARROWEN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${pkg}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The manual page and the changelog go in compressed, as Debian wants them: gzip -n keeps the
# name and the time stamp out of the header, so the same sources always give the same bytes.
find_program(TARROWEN_GZIP gzip)
if(TARROWEN_GZIP)
    set(compressed)
    foreach(src tarrowen.1 changelog)
        set(out ${CMAKE_CURRENT_BINARY_DIR}/packaging/${src}.gz)
        add_custom_command(OUTPUT ${out}
                           COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
                           COMMAND ${TARROWEN_GZIP} -9 -n -c ${pkg}/${src} > ${out}
                           DEPENDS ${pkg}/${src}
                           COMMENT "Compressing ${src}")
        list(APPEND compressed ${out})
    endforeach()
    add_custom_target(tarrowen_docs ALL DEPENDS ${compressed})
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/tarrowen.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DOCDIR})
else()
    install(FILES ${pkg}/tarrowen.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${pkg}/changelog DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarrowen)
set(CPACK_PACKAGE_VENDOR "Tarrowen developers")
set(CPACK_PACKAGE_CONTACT "Tarrowen developers <dev@tarrowen.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# One paragraph, wrapped as a Debian description wants it.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "A small teaching program: a point runs round a circle of radius R at\n"
       "angular frequency omega, and a vertical and a horizontal line show its\n"
       "projections x = R cos theta and y = R sin theta, the two simple harmonic\n"
       "motions. Readouts show the time, the angle and both projections; the\n"
       "radius and the frequency can be changed while the motion runs.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarrowen developers <dev@tarrowen.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries the binary links against, found by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian's desktop session is Wayland; without this plugin Qt runs the window through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
