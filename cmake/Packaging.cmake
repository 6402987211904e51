# `cpack -G DEB` in the build directory: a .deb of everything installed, its dependencies found
# by dpkg-shlibdeps. The desktop, MIME and icon caches are refreshed by the triggers of the
# packages that own them, so the package needs no scripts of its own.
set(CPACK_PACKAGE_NAME "tarnwick")
set(CPACK_PACKAGE_VENDOR "The Tarnwick developers")
set(CPACK_PACKAGE_CONTACT "The Tarnwick developers <developers@tarnwick.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian wants the lines of the long description under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Tarnwick opens scenarios and stand-alone unit and upgrade data files,
changes every unit's values, the upgrades and the per-player restrictions,
and writes them back byte for byte. tarnwick-tool does the same from the
shell.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# An editor of game data, not a game: "games" is for what installs into /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
