# `make package`: a Debian package of the installed files. dpkg-shlibdeps works
# out the libraries; what the program loads without linking it (the Qt
# platform plugins, the fonts it names) is listed by hand.
set(TOKIWA_PACKAGE_MAINTAINER "Tokiwa developers <tokiwa@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tokiwa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TOKIWA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for program-launch logs as a timeline of runs")
set(CPACK_PACKAGE_DESCRIPTION
    "Tokiwa lists the launch logs of a folder, shows the chosen log in a grid and
draws every system run and every program run as a bar on a timeline, one row
per program. Bars can be clicked, hidden, zoomed and panned; logs can be
exported as CSV or drawn to PNG from the command line. The logs are Shift-JIS
text and the interface is Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TOKIWA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TOKIWA_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-liberation")

include(CPack)
