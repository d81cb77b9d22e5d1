# What `cmake --install` puts where, and the Debian package built from it by `cpack -G DEB`.
set(MOXA_APP_ID net.moxacalc.Moxa)
set(MOXA_DIST ${PROJECT_SOURCE_DIR}/dist)
# Debian keeps the licence as share/doc/PACKAGE/copyright.
set(MOXA_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/moxa)

install(TARGETS moxa-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(MOXA_BUILD_UI)
  install(TARGETS moxa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The sample data a first start copies to the per-user data folder.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/moxa/data)
install(FILES ${MOXA_DIST}/${MOXA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${MOXA_DIST}/${MOXA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${MOXA_DIST}/icons/${MOXA_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${MOXA_DIST}/icons/hicolor/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${MOXA_DIST}/man/moxa.1 ${MOXA_DIST}/man/moxa-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${MOXA_DIST}/completion/moxa-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${MOXA_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${MOXA_DOCDIR} RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME moxa)
set(CPACK_PACKAGE_VENDOR "The Moxa developers")
set(CPACK_PACKAGE_CONTACT "The Moxa developers <moxa@moxacalc.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "crafting calculator for the game Tellurin")
set(CPACK_PACKAGE_DESCRIPTION "Moxa works out everything a Tellurin crafting order needs: components,
sub-formulae and base resources, the consumption at the character's skills and
the bonuses of the finished items. Includes the command-line tool moxa-cli.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://moxacalc.net/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries' packages come from the binaries; the Qt plug-ins are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
