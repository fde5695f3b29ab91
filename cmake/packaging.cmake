# What `cmake --install` puts in place and what `cpack` packs: the program, its desktop entry,
# AppStream metainfo and icons, the manual page, the README, the warning sound, and the
# package's copyright file and changelog.

include(GNUInstallDirs)

# Who answers for the package: its Maintainer field, the changelog's signature and the
# copyright file's contact. Set it once here, or with -DQUILLO_MAINTAINER=... at configure time.
set(QUILLO_MAINTAINER "Quillo developers <quillo@users.noreply.github.com>"
    CACHE STRING "The package maintainer, as Name <address>")

# The icons are drawn at build time from the program's own font and palette.
add_executable(makeIcon tools/makeIcon.cpp)
target_link_libraries(makeIcon PRIVATE quillo_colours quillo_screen)
set(ICON_SIZES 48 256)
set(ICON_FILES)
foreach(size ${ICON_SIZES})
  set(icon ${CMAKE_BINARY_DIR}/icons/${size}x${size}/quillo.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND makeIcon ${size} ${icon}
    DEPENDS makeIcon
    VERBATIM)
  list(APPEND ICON_FILES ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page carries the project's version; compressed as Debian keeps manual pages.
configure_file(packaging/quillo.1.in ${CMAKE_BINARY_DIR}/quillo.1 @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/quillo.1.gz
  COMMAND sh -c "gzip -9n -c ${CMAKE_BINARY_DIR}/quillo.1 > ${CMAKE_BINARY_DIR}/quillo.1.gz"
  DEPENDS ${CMAKE_BINARY_DIR}/quillo.1
  VERBATIM)
# Debian's copyright file in its machine-readable form, and the changelog, compressed as Debian
# keeps it.
configure_file(packaging/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)
configure_file(packaging/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND sh -c "gzip -9n -c ${CMAKE_BINARY_DIR}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz"
  DEPENDS ${CMAKE_BINARY_DIR}/changelog
  VERBATIM)
add_custom_target(installedFiles ALL
  DEPENDS ${ICON_FILES} ${CMAKE_BINARY_DIR}/quillo.1.gz ${CMAKE_BINARY_DIR}/changelog.gz)

install(TARGETS quillo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Software centres find the program by its AppStream metainfo, named after the desktop entry.
set(APP_ID io.github.quillo.Quillo)
configure_file(packaging/${APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${APP_ID}.metainfo.xml @ONLY)
install(FILES packaging/${APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/${APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/quillo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md ${CMAKE_BINARY_DIR}/illegalChar.wav ${CMAKE_BINARY_DIR}/copyright
              ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "loan repayment calculator for a variable rate and payment")
# Debian shows the description's lines as they are: each within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Quillo steps through the repayment of a loan whose rate and monthly payment\n\
may change while it is repaid, month by month, a year at a time or to the end,\n\
in a retro 640x480 window, and prints whole schedules, summaries and charts\n\
on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The dependencies are the shared libraries the program is linked with (SDL2, SDL2_mixer and
# the C and C++ runtimes), as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
