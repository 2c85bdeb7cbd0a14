# The Debian package, made by `cpack -G DEB` in the build folder (scripts/package).
set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VENDOR "Tarvex developers")
set(CPACK_PACKAGE_CONTACT "Tarvex developers <support@tarvex.example.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plans how to cut rectangular parts out of stock sheets")
set(CPACK_PACKAGE_DESCRIPTION [[
Tarvex plans the cutting of rectangular parts out of stock sheets of board,
panel or plate. Enter the sheets in stock and the parts to cut, set the blade
width, the margins and the smallest offcut worth keeping, and a genetic
optimizer plans the cuts, by guillotine cuts or free placement.

The plan comes out as layout pictures, a report, printouts, HTML pages, DXF
drawings, CNC programs (G-code) and offcut lists, in English or Chinese. The
package holds the window, tarvex, and the command-line program tarvex-cli,
which runs the same calculation in scripts.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window-system plugins at run time, out of the linker's sight: the
# window cannot open without them, nor speak Chinese in Qt's own dialog buttons
# without Qt's translations. Chinese texts need a CJK font, Help a desktop that
# opens the manual.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
