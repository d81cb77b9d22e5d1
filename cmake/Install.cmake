# What `cmake --install` puts where, and the Debian package built from it by `cpack -G DEB`.
set(MOXA_APP_ID net.moxacalc.Moxa)
set(MOXA_DIST ${PROJECT_SOURCE_DIR}/dist)
set(MOXA_DIST_BUILD ${PROJECT_BINARY_DIR}/dist)
# Debian keeps the licence as share/doc/PACKAGE/copyright.
set(MOXA_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/moxa)
set(MOXA_ZSH_COMPLETION_DIR ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions
    CACHE STRING "Where the zsh completion goes (Debian's zsh reads vendor-completions)")

# The pages, the metainfo and the copyright name the homepage and the tracker; the manuals and
# the changelog are installed compressed, as Debian's policy wants (gzip -n: no name or time,
# so the same sources give the same bytes).
configure_file(${MOXA_DIST}/${MOXA_APP_ID}.metainfo.xml.in ${MOXA_DIST_BUILD}/${MOXA_APP_ID}.metainfo.xml @ONLY)
configure_file(${MOXA_DIST}/debian/copyright ${MOXA_DIST_BUILD}/copyright @ONLY)
find_program(MOXA_GZIP gzip REQUIRED)
set(MOXA_COMPRESSED)
foreach(source man/moxa.1.in man/moxa-cli.1.in debian/changelog)
  get_filename_component(name ${source} NAME)
  string(REGEX REPLACE "\\.in$" "" name ${name})
  if(source MATCHES "\\.in$")
    configure_file(${MOXA_DIST}/${source} ${MOXA_DIST_BUILD}/${name} @ONLY)
  else()
    configure_file(${MOXA_DIST}/${source} ${MOXA_DIST_BUILD}/${name} COPYONLY)
  endif()
  add_custom_command(OUTPUT ${MOXA_DIST_BUILD}/${name}.gz
                     COMMAND ${MOXA_GZIP} -9nc ${name} > ${name}.gz
                     DEPENDS ${MOXA_DIST_BUILD}/${name}
                     WORKING_DIRECTORY ${MOXA_DIST_BUILD} VERBATIM)
  list(APPEND MOXA_COMPRESSED ${MOXA_DIST_BUILD}/${name}.gz)
endforeach()
add_custom_target(moxa_dist ALL DEPENDS ${MOXA_COMPRESSED})

install(TARGETS moxa-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(MOXA_BUILD_UI)
  install(TARGETS moxa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# A stripped install (cpack, `cmake --install --strip`) also drops the sections only the build
# needs, as Debian's own packages do.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program moxa moxa-cli)
      set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
      if(EXISTS \"\${file}\")
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note \"\${file}\"
                        COMMAND_ERROR_IS_FATAL ANY)
      endif()
    endforeach()
  endif()")
# The sample data a first start copies to the per-user data folder.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/moxa/data)
install(FILES ${MOXA_DIST}/${MOXA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${MOXA_DIST_BUILD}/${MOXA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The order files' type. Its *.xml pattern is only safe in the database that holds
# application/xml too (/usr/share/mime, where the package goes): elsewhere it is left out, and
# the type is known by the content alone.
install(CODE "
  set(file \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/mime/packages/${MOXA_APP_ID}.xml\")
  file(READ \"${MOXA_DIST}/${MOXA_APP_ID}.mime.xml\" types)
  if(NOT CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    string(REGEX REPLACE \"[ ]*<glob [^>]*>\n\" \"\" types \"\${types}\")
  endif()
  message(STATUS \"Installing: \$ENV{DESTDIR}\${file}\")
  file(WRITE \"\$ENV{DESTDIR}\${file}\" \"\${types}\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${file}\")")
install(FILES ${MOXA_DIST}/icons/${MOXA_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${MOXA_DIST}/icons/hicolor/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${MOXA_DIST_BUILD}/moxa.1.gz ${MOXA_DIST_BUILD}/moxa-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${MOXA_DIST}/completion/moxa-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${MOXA_DIST}/completion/_moxa-cli DESTINATION ${MOXA_ZSH_COMPLETION_DIR})
install(FILES ${MOXA_DIST}/completion/moxa-cli.fish DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
install(FILES ${MOXA_DIST_BUILD}/copyright ${MOXA_DIST_BUILD}/changelog.gz ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${MOXA_DOCDIR})
install(FILES ${MOXA_DIST}/debian/moxa.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME moxa)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME moxa)
set(CPACK_PACKAGE_VENDOR "The Moxa developers")
set(CPACK_PACKAGE_CONTACT "The Moxa developers <moxa@moxacalc.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "crafting calculator for the game Tellurin")
set(CPACK_PACKAGE_DESCRIPTION "Moxa works out everything a Tellurin crafting order needs: components,
sub-formulae and base resources, the consumption at the character's skills and
the bonuses of the finished items. Includes the command-line tool moxa-cli.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${MOXA_HOMEPAGE_URL}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A calculator beside the game, not a game: Debian's games section is for /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries' packages come from the binaries; the Qt plug-ins are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
# Qt's own translations give its standard dialogs' buttons the player's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
