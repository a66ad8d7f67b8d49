# Installation in the desktop's standard places, and the Debian package.
include(GNUInstallDirs)

set(BLOKKO_APP_ID org.blokko.Blokko)
configure_file(packaging/${BLOKKO_APP_ID}.desktop.in ${BLOKKO_APP_ID}.desktop @ONLY)
configure_file(packaging/${BLOKKO_APP_ID}.metainfo.xml.in ${BLOKKO_APP_ID}.metainfo.xml @ONLY)

install(TARGETS blokko RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${BLOKKO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${BLOKKO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/${BLOKKO_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME blokko)
set(CPACK_PACKAGE_VENDOR "Blokko developers")
set(CPACK_PACKAGE_CONTACT "Blokko developers <dev@blokko.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Falling-block puzzle game")
set(CPACK_PACKAGE_DESCRIPTION "Steer the falling pieces, fill rows to clear them and chase the best score.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://blokko.org/)
# The shared libraries come from dpkg-shlibdeps; the platform plugin and the fonts are loaded at run
# time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-ebgaramond, fonts-liberation, fonts-dejavu-core, fonts-dancingscript, fonts-kaushanscript")
# On a Wayland desktop Qt draws through its Wayland plugin when it is there, and through XWayland if not.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
