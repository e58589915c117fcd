# What `cmake --install` puts under the prefix: the executable, its desktop
# entry, icons, AppStream metainfo and manual page, each where a Linux desktop
# looks for it.
include(GNUInstallDirs)

# The AppStream component id; it names the metainfo file and must never change.
set(TOKIWA_APP_ID io.github.tokiwa.Tokiwa)
set(TOKIWA_HOMEPAGE_URL "https://tokiwa.example.org"
    CACHE STRING "Public page of the project, shown by software centres")
set(TOKIWA_SCREENSHOT_URL "${TOKIWA_HOMEPAGE_URL}/screenshot.png"
    CACHE STRING "Where software centres fetch the screenshot (docs/screenshot.png) from")

set(TOKIWA_PACKAGING_SRC ${PROJECT_SOURCE_DIR}/packaging)
set(TOKIWA_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)
set(TOKIWA_METAINFO ${TOKIWA_PACKAGING_OUT}/${TOKIWA_APP_ID}.metainfo.xml)
set(TOKIWA_MANUAL ${TOKIWA_PACKAGING_OUT}/tokiwa.1)

configure_file(${TOKIWA_PACKAGING_SRC}/tokiwa.metainfo.xml.in ${TOKIWA_METAINFO} @ONLY)
configure_file(${TOKIWA_PACKAGING_SRC}/tokiwa.1.in ${TOKIWA_MANUAL} @ONLY)

# Debian ships manual pages compressed; -n keeps the name and time out of the
# archive so that rebuilds are byte-identical.
add_custom_command(
  OUTPUT ${TOKIWA_MANUAL}.gz
  COMMAND gzip -9 -n -k -f ${TOKIWA_MANUAL}
  DEPENDS ${TOKIWA_MANUAL}
  VERBATIM)
add_custom_target(tokiwa_manual ALL DEPENDS ${TOKIWA_MANUAL}.gz)

install(TARGETS tokiwa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TOKIWA_PACKAGING_SRC}/tokiwa.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TOKIWA_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TOKIWA_MANUAL}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(TOKIWA_ICON_THEME_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${TOKIWA_ICON_SVG} DESTINATION ${TOKIWA_ICON_THEME_DIR}/scalable/apps)
foreach(size ${TOKIWA_ICON_SIZES})
  tokiwa_icon_png(${size} png)
  install(FILES ${png} DESTINATION ${TOKIWA_ICON_THEME_DIR}/${size}x${size}/apps)
endforeach()
