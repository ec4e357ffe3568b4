# `make deb`: the Debian package vollfarbe_VERSION_ARCH.deb, built by CPack
# from the install rules. Dependencies come from the shared libraries the
# program links (dpkg-shlibdeps); lintian checks the result (make deb).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vollfarbe)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The program's files (the default component) make the package vollfarbe;
# the Python package (component python, when built) makes python3-vollfarbe.
# The install runs into a staging DESTDIR with the prefix /usr itself, so
# that the Python package's install code sees /usr and picks Debian's
# /usr/lib/python3/dist-packages.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX ${CPACK_PACKAGING_INSTALL_PREFIX})
if(VOLLFARBE_PYTHON)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL Unspecified python)
  set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};ALL;/")
  set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME vollfarbe)
else()
  set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/")
endif()
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
# The summary line and the long description as `apt show` prints them
# (CPack indents the lines; no double quotes, which do not survive into the
# control file). Each package's summary is its description's first line:
# CPack puts CPACK_PACKAGE_DESCRIPTION_SUMMARY (by default the project's
# description) before every package's description unless it is CPack's
# placeholder text.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_NAME} built using CMake")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"optimal colours, compensative and hue-equal wavelengths
vollfarbe is a colour-science calculator for the optimal colours
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
SVG, PNG or PDF.")
if(VOLLFARBE_PYTHON)
# python3-vollfarbe: the module is built for one Python version and imports
# numpy; it reads colord-data's observers as the program does.
set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-vollfarbe)
string(REPLACE "." ";" python_version "${VOLLFARBE_PYTHON_VERSION}")
list(GET python_version 0 python_major)
list(GET python_version 1 python_minor)
math(EXPR python_next_minor "${python_minor} + 1")
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
    "python3 (>= ${python_major}.${python_minor}), python3 (<< ${python_major}.${python_next_minor}), python3-numpy")
set(CPACK_DEBIAN_PYTHON_PACKAGE_RECOMMENDS colord-data)
set(CPACK_DEBIAN_PYTHON_DESCRIPTION
"optimal colours and dominant wavelengths for Python and numpy
The Python package of vollfarbe: the compensative and hue-equal
wavelengths, the optimal colours of the spectrum, and the dominant
wavelength and purities of any chromaticity, over numpy arrays, computed
exactly as the vollfarbe program computes them. Every function takes an
out= array and all cores, and pickles, so it runs under dask and xarray on
the worker processes of a cluster.")
endif()
include(CPack)
