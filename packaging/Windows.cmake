# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows zip: the program, its README and its licence, as text files Windows opens with a
# double click. Nothing to install: unzipped anywhere (a USB stick), tarrowen.exe runs.
#
#   cd build/win32 && cpack        package/tarrowen-<version>-windows-x64.zip
install(TARGETS tarrowen RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tarrowen)
set(CPACK_PACKAGE_FILE_NAME tarrowen-${PROJECT_VERSION}-windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
