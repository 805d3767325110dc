# SPDX-License-Identifier: GPL-3.0-or-later
# Installation beyond the binary (app/CMakeLists.txt installs that) and the Debian package.
#
#   cmake --install build/release --prefix /tmp/inst     the files, under any prefix
#   cd build/release && cpack -G DEB                     tarrowen_<version>_<arch>.deb
#   apt-get install ./build/release/tarrowen_*.deb       installs it with what it needs

# qt_standard_project_setup() gives installed binaries a RUNPATH of $ORIGIN and $ORIGIN/../lib,
# meant for bundling Qt beside them; ours uses the system's Qt, so the installed program
# searches only the system's library paths (and /usr/bin/tarrowen carries no RUNPATH).
set_target_properties(tarrowen PROPERTIES INSTALL_RPATH "")

install(FILES ${CMAKE_CURRENT_LIST_DIR}/tarrowen.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tarrowen.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

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
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarrowen developers <dev@tarrowen.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The Qt libraries the binary links against, found by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
