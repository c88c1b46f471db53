# Installation, the Debian package and the desktop files.
#
# Layout under the prefix (/usr in the package):
#   lib/tavr/            the program (tavr180, the command line, which starts
#                        tavr180-window, the window, beside it), its five
#                        libraries, the Moon pictures
#                        (*.bmp, moon_pics/) and tavr180.png (the window's icon
#                        when the icon theme lacks it); the program finds them
#                        beside its own resolved location
#   bin/tavr180          a relative symbolic link to lib/tavr/tavr180
#   share/applications/  share/metainfo/  share/icons/hicolor/  share/man/man1/
include(GNUInstallDirs)

set(TAVR_APP_ID org.tavr.tavr180)
set(TAVR_INSTALL_PKGDIR lib/tavr CACHE STRING "Folder under the prefix for the program, its libraries and pictures")
set(TAVR_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/desktop)

find_program(RSVG_CONVERT rsvg-convert)
find_program(HELP2MAN help2man)
find_program(GZIP gzip)
foreach(tool IN ITEMS RSVG_CONVERT HELP2MAN GZIP)
  if(NOT ${tool})
    message(FATAL_ERROR "${tool} not found: run scripts/setup.sh")
  endif()
endforeach()

# ---- the icon: the drawing and the usual sizes rendered from it ----
set(TAVR_ICON_SIZES 16 22 24 32 48 64 128 256)
set(icon_outputs)
foreach(size IN LISTS TAVR_ICON_SIZES)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${TAVR_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${TAVR_DESKTOP_DIR}/tavr180.svg
    DEPENDS ${TAVR_DESKTOP_DIR}/tavr180.svg
    VERBATIM)
  list(APPEND icon_outputs ${png})
endforeach()
# The window's icon beside the program, for a build tree or a prefix the icon
# theme does not search.
add_custom_command(
  OUTPUT ${TAVR_BIN_DIR}/tavr180.png
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/icons/256x256/${TAVR_APP_ID}.png ${TAVR_BIN_DIR}/tavr180.png
  DEPENDS ${CMAKE_BINARY_DIR}/icons/256x256/${TAVR_APP_ID}.png
  VERBATIM)
add_custom_target(app_icons ALL DEPENDS ${icon_outputs} ${TAVR_BIN_DIR}/tavr180.png)

# ---- the manual page, from the program's help ----
set(TAVR_MAN_PAGE ${CMAKE_BINARY_DIR}/man/tavr180.1)
add_custom_command(
  OUTPUT ${TAVR_MAN_PAGE} ${TAVR_MAN_PAGE}.gz
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 --unset=TAVR_LIBDIR
          ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:tavr180> -DINCLUDE=${TAVR_DESKTOP_DIR}/tavr180.h2m
          -DOUTPUT=${TAVR_MAN_PAGE} -DHELP2MAN=${HELP2MAN} -DGZIP=${GZIP} -P ${CMAKE_SOURCE_DIR}/cmake/TavrManPage.cmake
  DEPENDS tavr180 ${TAVR_DESKTOP_DIR}/tavr180.h2m ${CMAKE_SOURCE_DIR}/cmake/TavrManPage.cmake
  COMMENT "Writing the manual page"
  VERBATIM)
add_custom_target(man_page ALL DEPENDS ${TAVR_MAN_PAGE})

# ---- install rules ----
install(TARGETS tavr180 tavr180-window RUNTIME DESTINATION ${TAVR_INSTALL_PKGDIR})
install(TARGETS vrslc dtc kelmar halvor brisel LIBRARY DESTINATION ${TAVR_INSTALL_PKGDIR})
install(FILES ${TAVR_BIN_DIR}/darkmoon.bmp ${TAVR_BIN_DIR}/1stquarter.bmp ${TAVR_BIN_DIR}/fullmoon.bmp
              ${TAVR_BIN_DIR}/lastquarter.bmp ${TAVR_BIN_DIR}/darkmoon@2x.bmp ${TAVR_BIN_DIR}/1stquarter@2x.bmp
              ${TAVR_BIN_DIR}/fullmoon@2x.bmp ${TAVR_BIN_DIR}/lastquarter@2x.bmp ${TAVR_BIN_DIR}/tavr180.png
        DESTINATION ${TAVR_INSTALL_PKGDIR})
install(DIRECTORY ${TAVR_BIN_DIR}/moon_pics DESTINATION ${TAVR_INSTALL_PKGDIR} FILES_MATCHING PATTERN "*.gif")

file(RELATIVE_PATH tavr_link_target /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${TAVR_INSTALL_PKGDIR}/tavr180)
install(CODE "
  set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tavr180\")
  message(STATUS \"Installing: \${link} -> ${tavr_link_target}\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(REMOVE \"\${link}\")
  file(CREATE_LINK \"${tavr_link_target}\" \"\${link}\" SYMBOLIC)")

install(FILES ${TAVR_DESKTOP_DIR}/${TAVR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TAVR_DESKTOP_DIR}/${TAVR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TAVR_DESKTOP_DIR}/tavr180.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TAVR_APP_ID}.svg)
foreach(size IN LISTS TAVR_ICON_SIZES)
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${TAVR_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${TAVR_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# ---- the Debian package: cpack -G DEB (or cmake --build build --target package) ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavr)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TAVR")
set(CPACK_PACKAGE_CONTACT "TAVR developers <tavr@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calendar converter and lunar-event finder")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "TAVR converts a date typed in any of nine calendars to all nine and shows\nthe phase, illumination, lunation number and age of the Moon and delta T.\nIt finds lunar phases, eclipses and coincidences of month starts and shows\none lunation as a calendar with Moon pictures. The command tavr180 convert\ndoes the same conversion without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: the packages of the libraries the program and its libraries link
# (libc6, libgcc-s1, libstdc++6, libqt6core6, libqt6gui6, libqt6widgets6, ...).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Wayland sessions draw through the Wayland platform plugin; X11 works without it.
# The web links open with xdg-open; the windows ask for Arial and Courier New,
# whose metrics Liberation Sans and Liberation Mono have, and Tahoma, for
# which DejaVu Sans stands in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils, fonts-liberation2 | fonts-liberation, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# ---- checks of the desktop files, the manual page and the package ----
add_test(NAME desktop_entry_valid
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-desktop.sh entry ${TAVR_DESKTOP_DIR}/${TAVR_APP_ID}.desktop)
add_test(NAME desktop_metainfo_valid
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-desktop.sh metainfo
                 ${TAVR_DESKTOP_DIR}/${TAVR_APP_ID}.metainfo.xml)
add_test(NAME desktop_man_page_renders
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-desktop.sh man ${TAVR_MAN_PAGE}.gz $<TARGET_FILE:tavr180>)
set_tests_properties(desktop_entry_valid desktop_metainfo_valid desktop_man_page_renders PROPERTIES LABELS package)
# Building the package strips and inspects every file; the sanitizer build
# has no use for it.
if(NOT TAVR_SANITIZE)
  add_test(NAME package_deb_runs COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-package.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(package_deb_runs PROPERTIES LABELS package TIMEOUT 300)
endif()
