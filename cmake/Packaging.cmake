# The Debian package: `cpack -G DEB` in the build folder, or scripts/make-deb.sh.
set(CPACK_PACKAGE_NAME qvn)
set(CPACK_PACKAGE_VENDOR "QVN for Linux developers")
set(CPACK_PACKAGE_CONTACT "QVN for Linux developers <dev@qvnlinux.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "kit for writing and reading branching text stories")
set(CPACK_PACKAGE_DESCRIPTION
  "QVN is a kit for writing and reading branching text stories, told page by
page: the reader picks among choices, and flags, counters and string variables
remember earlier decisions. QvnMakeW is the author's workbench that compiles a
Shift-JIS story source, QVN3 the reader's browser with pictures, music and four
save slots, and qvn the command line that compiles and plays stories in a
terminal. A demo story is included.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://qvnlinux.org/)
# Libraries from the binaries; the fonts the stories name, the soundfont for
# their MIDI music and Qt's Japanese dialog texts are looked up by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-liberation2, timgm6mb-soundfont | fluid-soundfont-gm, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
