# The Debian package that scripts/package.sh makes with `cpack -G DEB`: the programs, the
# ApplicationFolder skeleton, the menu entry and icons, the manual pages, the README, the
# copyright file and a changelog. Its Depends are read from the programs (dpkg-shlibdeps).
include_guard()

set(sorvane_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/sorvane)
set(sorvane_maintainer "Sorvane developers <sorvane@example.org>")

# Debian wants the changelog compressed with gzip -9n (no name, no time stamp).
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_BINARY_DIR}/package/changelog @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/package/changelog.gz
  COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/package/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/package/changelog
  VERBATIM)
add_custom_target(sorvane-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/package/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${sorvane_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${sorvane_maintainer})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "potential evapotranspiration from station weather files")
# CPack puts the summary above the description as its synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Sorvane computes potential evapotranspiration (PET) from daily, weekly or
monthly station weather files by eight published methods (Modified Penman,
Hargreaves, Turc, Thornthwaite, Blaney-Criddle, Christiansen, open pan and
FAO Penman-Monteith). A coefficient generator interpolates per-station
regression coefficients from a table of reference stations, and a PET
adjuster applies them to a station's daily results.
.
The package holds the desktop program (sorvane), the command-line program
(sorvane-cli, with check and plot), and a sample ApplicationFolder with
invented weather data and reference tables, copied to
~/.local/share/sorvane on first use.")
include(CPack)
