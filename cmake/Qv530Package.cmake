# What a desktop installation needs beside the programs (manual pages, shell
# completion, AppStream metainfo, autostart entry, Debian documents) and the
# .deb that CPack builds from the install rules:
#   cpack -G DEB -B package        (in the build folder; ./dev.sh package)

set(QV530_HOMEPAGE "https://qv530-10800rad.invalid/" CACHE STRING "Homepage of the package and its metainfo")
set(QV530_MAINTAINER "QV530-10800rad configurator developers <packages@qv530-10800rad.invalid>"
    CACHE STRING "Maintainer of the Debian package: Name <address>")
set(QV530_LICENSE "not chosen yet; until it is, all rights are reserved by the developers."
    CACHE STRING "License line of the package's copyright file")
set(QV530_APPSTREAM_ID "org.qv530_10800rad.configurator")
# The release's date in the changelog and the metainfo.
set(QV530_RELEASE_DATE "2026-12-09")
set(QV530_RELEASE_TIME "Wed, 09 Dec 2026 12:00:00 +0000")

set(QV530_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package-files)
set(QV530_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME})

# Files compressed the way Debian wants them: gzip -9, no name or time stamp.
function(qv530_gzip_file source output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND gzip -9 -n -c ${source} > ${output}
    DEPENDS ${source}
    COMMENT "Compressing ${output}")
endfunction()

set(gzipped)
foreach(page qv530ctl.1 qv530.1)
  configure_file(doc/man/${page} ${QV530_PACKAGE_FILES}/man/${page} @ONLY)
  qv530_gzip_file(${QV530_PACKAGE_FILES}/man/${page} ${QV530_PACKAGE_FILES}/man/${page}.gz)
  list(APPEND gzipped ${QV530_PACKAGE_FILES}/man/${page}.gz)
  install(FILES ${QV530_PACKAGE_FILES}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

configure_file(data/debian/changelog.in ${QV530_PACKAGE_FILES}/changelog @ONLY)
qv530_gzip_file(${QV530_PACKAGE_FILES}/changelog ${QV530_PACKAGE_FILES}/changelog.gz)
list(APPEND gzipped ${QV530_PACKAGE_FILES}/changelog.gz)
add_custom_target(package_files ALL DEPENDS ${gzipped})

configure_file(data/debian/copyright ${QV530_PACKAGE_FILES}/copyright @ONLY)
install(FILES ${QV530_PACKAGE_FILES}/copyright ${QV530_PACKAGE_FILES}/changelog.gz DESTINATION ${QV530_DOC_DIR})

set(QV530_METAINFO ${QV530_PACKAGE_FILES}/${QV530_APPSTREAM_ID}.metainfo.xml)
configure_file(data/${QV530_APPSTREAM_ID}.metainfo.xml ${QV530_METAINFO} @ONLY)
install(FILES ${QV530_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES data/completion/qv530ctl DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Desktops read autostart entries from $XDG_CONFIG_DIRS, /etc/xdg by default,
# whatever the prefix.
install(FILES data/qv530-10800rad-autostart.desktop DESTINATION /etc/xdg/autostart RENAME qv530-10800rad.desktop)
file(WRITE ${QV530_PACKAGE_FILES}/conffiles "/etc/xdg/autostart/qv530-10800rad.desktop\n")

# The .deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT ${QV530_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator for the QV530-10800rad gaming mouse")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Sets the button functions, seven DPI stages with their colours, the report\n"
    "rate, X/Y sensitivity, the lighting of the mouse and of its RGB mouse pad,\n"
    "twelve on-device macros and six named profiles of the QV530-10800rad wired\n"
    "gaming mouse (USB IDs 04D9:A11D and 04D9:A1DC) and its pad (04D9:A1C9).\n"
    "\n"
    "qv530 is a tray program with the configuration window, and qv530ctl does\n"
    "the same from a terminal. A udev rule lets the user at the seat open the\n"
    "devices without root rights.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QV530_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries: a face with Chinese glyphs for the Chinese windows,
# and Qt's translations of its own dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-zenhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/data/debian/postinst
    ${PROJECT_SOURCE_DIR}/data/debian/postrm
    ${QV530_PACKAGE_FILES}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
