# `make deb`: the Debian package vollfarbe_VERSION_ARCH.deb, built by CPack
# from the install rules. Dependencies come from the shared libraries the
# program links (dpkg-shlibdeps); lintian checks the result (make deb).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vollfarbe)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The program's files only: the Python module (component python) stays out.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(VOLLFARBE_MAINTAINER "vollfarbe maintainers <maintainers@users.noreply.c-seed-fb592ff6.example>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VOLLFARBE_MAINTAINER}")
# Packages a feature can use but does not need, such as the Debian packages
# whose data it reads at run time: its CMakeLists.txt adds them with
#   set_property(GLOBAL APPEND PROPERTY VOLLFARBE_RECOMMENDS colord-data)
get_property(recommends GLOBAL PROPERTY VOLLFARBE_RECOMMENDS)
if(recommends)
  list(REMOVE_DUPLICATES recommends)
  list(JOIN recommends ", " CPACK_DEBIAN_PACKAGE_RECOMMENDS)
endif()
# The summary and the long description as `apt show` prints them (CPack
# indents the lines; no double quotes, which do not survive into the
# control file).
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "optimal colours, compensative and hue-equal wavelengths")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"vollfarbe is a colour-science calculator for the optimal colours
(Vollfarben) of the spectrum. For a limit wavelength it finds the
compensative (complementary) wavelength on the CIE 1931 spectrum locus,
the tristimulus values, chromaticity and colour moment of the two optimal
colours the pair bounds, and their hue-equal wavelengths. Every printed
digit is reproducible: the model is evaluated in x87 extended precision in
a fixed order.
.
It offers a German dialogue on an 80x30 text screen, in a terminal or in a
window of its own, that writes the report file vollfarb.txt (code page
437), a table command that writes the same results for many wavelengths as
CSV, TSV or JSON, and a plot command that draws the chromaticity diagram as
SVG.")
include(CPack)
