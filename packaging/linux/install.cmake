# What `cmake --install` puts under the prefix on Linux:
#   games/PebbleFrost, games/PebbleFrostWindowed   the programs (Debian keeps games in games/)
#   share/pebblefrost/Data                         the game data
#   share/applications/<id>.desktop                menu entry, with a full-screen action
#   share/icons/hicolor/<n>x<n>/apps/<id>.png      the icon, 16 to 512 px
#   share/metainfo/<id>.metainfo.xml               the software centres' description
#   share/man/man6/PebbleFrost.6.gz                the manual page (and PebbleFrostWindowed.6.gz)
#   share/doc/pebblefrost/copyright                the licence
# The desktop entry names the programs by their full path under the prefix the install is made
# to (`--prefix` may differ from the configured one), so it is written at install time.

set(PEBBLEFROST_INSTALL_GAMESDIR games CACHE STRING "Folder under the prefix for the programs")
set(PEBBLEFROST_HOMEPAGE "https://pebblefrost.org" CACHE STRING "The project's web site")
set(PEBBLEFROST_LICENSE_SPDX "LicenseRef-proprietary")
set(PEBBLEFROST_RELEASE_DATE "2026-12-08")
set(PEBBLEFROST_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(PEBBLEFROST_STAGE ${CMAKE_BINARY_DIR}/packaging)

# The programs look for the data relative to their own folder first, then at the configured place.
file(RELATIVE_PATH PEBBLEFROST_DATA_FROM_PROGRAM
     ${CMAKE_INSTALL_PREFIX}/${PEBBLEFROST_INSTALL_GAMESDIR} ${PEBBLEFROST_DATA_DIR})
target_compile_definitions(pebblefrost_game
                           PRIVATE PEBBLEFROST_DATA_FROM_PROGRAM="${PEBBLEFROST_DATA_FROM_PROGRAM}")

install(TARGETS PebbleFrost PebbleFrostWindowed DESTINATION ${PEBBLEFROST_INSTALL_GAMESDIR})
# The icons are generated into Data/icon beside the game's data but installed into the theme.
install(DIRECTORY ${CMAKE_BINARY_DIR}/Data DESTINATION ${CMAKE_INSTALL_DATADIR}/pebblefrost
        PATTERN .generated EXCLUDE PATTERN icon EXCLUDE)
foreach(size 16 32 48 64 128 256 512)
  install(FILES ${CMAKE_BINARY_DIR}/Data/icon/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${PEBBLEFROST_APP_ID}.png)
endforeach()

configure_file(${PEBBLEFROST_PACKAGING}/linux/${PEBBLEFROST_APP_ID}.metainfo.xml.in
               ${PEBBLEFROST_STAGE}/${PEBBLEFROST_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PEBBLEFROST_STAGE}/${PEBBLEFROST_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(PEBBLEFROST_DESKTOP_IN ${PEBBLEFROST_PACKAGING}/linux/${PEBBLEFROST_APP_ID}.desktop.in)
install(CODE "
  set(PEBBLEFROST_APP_ID ${PEBBLEFROST_APP_ID})
  set(PEBBLEFROST_GAMES_FULLDIR \"\${CMAKE_INSTALL_PREFIX}/${PEBBLEFROST_INSTALL_GAMESDIR}\")
  configure_file(${PEBBLEFROST_DESKTOP_IN} ${PEBBLEFROST_STAGE}/${PEBBLEFROST_APP_ID}.desktop @ONLY)
  file(INSTALL ${PEBBLEFROST_STAGE}/${PEBBLEFROST_APP_ID}.desktop
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")")

# Manual pages are installed compressed, as Debian wants them (gzip -n: the same bytes every
# build).
configure_file(${PEBBLEFROST_PACKAGING}/linux/PebbleFrost.6.in ${PEBBLEFROST_STAGE}/PebbleFrost.6
               @ONLY)
configure_file(${PEBBLEFROST_PACKAGING}/linux/PebbleFrostWindowed.6
               ${PEBBLEFROST_STAGE}/PebbleFrostWindowed.6 COPYONLY)
set(PEBBLEFROST_MANPAGES)
foreach(page PebbleFrost PebbleFrostWindowed)
  add_custom_command(
    OUTPUT ${PEBBLEFROST_STAGE}/${page}.6.gz
    COMMAND gzip -9nf -k ${PEBBLEFROST_STAGE}/${page}.6
    DEPENDS ${PEBBLEFROST_STAGE}/${page}.6
    COMMENT "Compressing the manual page ${page}.6"
    VERBATIM)
  list(APPEND PEBBLEFROST_MANPAGES ${PEBBLEFROST_STAGE}/${page}.6.gz)
endforeach()
add_custom_target(manpages ALL DEPENDS ${PEBBLEFROST_MANPAGES})
install(FILES ${PEBBLEFROST_MANPAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

install(FILES ${PEBBLEFROST_PACKAGING}/LICENSE.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pebblefrost
        RENAME copyright)
