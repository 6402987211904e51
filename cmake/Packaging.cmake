# `cpack -G DEB` in the build directory: two packages from the one install, its components.
# tarnwick-tool holds the command-line tool with its manual, completion, the thumbnailer and the
# file types, and needs Qt Core and libpng only; tarnwick, the editor, depends on it. Each
# package's dependencies are found by dpkg-shlibdeps. The desktop, MIME and icon caches are
# refreshed by the triggers of the packages that own them, so neither needs scripts of its own.
set(CPACK_PACKAGE_NAME "tarnwick")
set(CPACK_PACKAGE_VENDOR "The Tarnwick developers")
set(CPACK_PACKAGE_CONTACT "The Tarnwick developers <developers@tarnwick.example.org>")
# Each package's description starts with a summary line of its own: the one summary CPack would
# put before both is left at the value its DEB generator takes for none.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_NAME} built using CMake")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL tool editor)
set(CPACK_DEBIAN_TOOL_PACKAGE_NAME "tarnwick-tool")
set(CPACK_DEBIAN_EDITOR_PACKAGE_NAME "tarnwick")
set(CPACK_DEBIAN_EDITOR_PACKAGE_DEPENDS "tarnwick-tool (= ${PROJECT_VERSION})")
# The first line is the summary; Debian wants the lines under 80 columns.
set(CPACK_COMPONENT_EDITOR_DESCRIPTION
    "${PROJECT_DESCRIPTION}
Tarnwick opens scenarios and stand-alone unit and upgrade data files,
changes every unit's values, the upgrades and the per-player restrictions,
and writes them back byte for byte.")
set(CPACK_COMPONENT_TOOL_DESCRIPTION
    "Command-line tool for the unit data of WarCraft II scenarios
tarnwick-tool lists, changes, exports and imports the unit data, upgrades
and restrictions of scenarios and stand-alone data files from the shell,
without a display. It also draws the minimaps that file managers show as
thumbnails of scenarios, and completes its commands in bash, zsh and fish.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# An editor of game data, not a game: "games" is for what installs into /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
