# `make deb`: the Debian package, made by CPack from the install rules of a build configured
# with the prefix /usr. The shared-library dependencies are computed by dpkg-shlibdeps.

option(PEBBLEFROST_DEB "Install the Debian package's own documents (changelog)" OFF)
if(PEBBLEFROST_DEB)
  set(PEBBLEFROST_DEB_CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz)
  add_custom_command(
    OUTPUT ${PEBBLEFROST_DEB_CHANGELOG}
    COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/deb/changelog > ${PEBBLEFROST_DEB_CHANGELOG}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/deb/changelog
    COMMENT "Compressing the Debian changelog")
  add_custom_target(debchangelog ALL DEPENDS ${PEBBLEFROST_DEB_CHANGELOG})
  install(FILES ${PEBBLEFROST_DEB_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pebblefrost)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/deb/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME pebblefrost)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pebblefrost)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The PebbleFrost developers")
set(CPACK_PACKAGE_CONTACT "The PebbleFrost developers <dev@pebblefrost.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle adventure drawn inside an open book")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PEBBLEFROST_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack puts the summary on the first line and indents these lines; an empty line separates
# paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A pebble in a knitted hat walks along a winter lane inside a book, one step
per page. Time in the level is the page number: every page turned forward
steps the world, every page turned back undoes it. Tear pictures of loose
things out of the book, put them down on another page where they change what
happens, and turn back whenever the hero is stopped.

Played with the mouse and a few keys, in a window or full screen.")
include(CPack)
