# Installing and packaging: the programs, their data, and what a Linux desktop needs to offer
# Parvela in its applications menu (desktop entry, icon, AppStream metadata). tools/package turns
# the installed tree into a Debian package.
include(GNUInstallDirs)

# One reverse-DNS name ties the desktop entry, the metadata and the icon together; the files
# under data/desktop/ carry it in their names.
set(PARVELA_APP_ID io.github.parvela.Parvela)
# The licence of LICENSE, as an SPDX name.
set(PARVELA_LICENSE MIT)
# The day version ${PROJECT_VERSION} was released: change it together with the version and
# with the first entry of data/changelog.
set(PARVELA_RELEASE_DATE 2026-12-08)
file(STRINGS ${PROJECT_SOURCE_DIR}/data/changelog PARVELA_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT PARVELA_CHANGELOG_TOP MATCHES "^parvela \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "data/changelog does not begin with version ${PROJECT_VERSION}")
endif()

set(PARVELA_DESKTOP_FILES ${PROJECT_SOURCE_DIR}/data/desktop)
configure_file(${PARVELA_DESKTOP_FILES}/${PARVELA_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${PARVELA_APP_ID}.metainfo.xml @ONLY)

install(TARGETS parvela parvela-db RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/parvela.hlp ${PROJECT_SOURCE_DIR}/data/schema.sql
        DESTINATION ${CMAKE_INSTALL_DATADIR}/parvela)
install(FILES ${PARVELA_DESKTOP_FILES}/${PARVELA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/${PARVELA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PARVELA_DESKTOP_FILES}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# Where Debian keeps each package's licence.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/parvela
        RENAME copyright)

# The changelog and the manual pages of both programs in English and in Japanese, compressed as
# Debian keeps them (gzip -9n: no name or time stamp in the file). Built with the program.
set(PARVELA_DOCS)
foreach(page parvela parvela-db)
  foreach(language en ja)
    set(source ${PROJECT_SOURCE_DIR}/data/man/${page}.1.in)
    set(folder ${CMAKE_INSTALL_MANDIR}/man1)
    if(language STREQUAL ja)
      set(source ${PROJECT_SOURCE_DIR}/data/man/${page}.ja.1.in)
      set(folder ${CMAKE_INSTALL_MANDIR}/ja/man1)
    endif()
    configure_file(${source} ${PROJECT_BINARY_DIR}/man/${language}/${page}.1 @ONLY)
    list(APPEND PARVELA_DOCS ${PROJECT_BINARY_DIR}/man/${language}/${page}.1)
    install(FILES ${PROJECT_BINARY_DIR}/man/${language}/${page}.1.gz DESTINATION ${folder})
  endforeach()
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/data/changelog ${PROJECT_BINARY_DIR}/changelog COPYONLY)
list(APPEND PARVELA_DOCS ${PROJECT_BINARY_DIR}/changelog)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/parvela)
set(PARVELA_COMPRESSED_DOCS)
foreach(doc IN LISTS PARVELA_DOCS)
  add_custom_command(OUTPUT ${doc}.gz COMMAND gzip -9nf -k ${doc} DEPENDS ${doc} VERBATIM)
  list(APPEND PARVELA_COMPRESSED_DOCS ${doc}.gz)
endforeach()
add_custom_target(parvela_docs DEPENDS ${PARVELA_COMPRESSED_DOCS})
add_dependencies(parvela parvela_docs)

# A desktop reads these files only as installed, so they are checked in an installed tree.
add_test(NAME packaging_desktop_files
         COMMAND ${PROJECT_SOURCE_DIR}/tools/check-desktop-files --stage ${PROJECT_BINARY_DIR}
                 ${PARVELA_APP_ID})
set_tests_properties(packaging_desktop_files PROPERTIES
  SKIP_RETURN_CODE 77 ENVIRONMENT "CMAKE=${CMAKE_COMMAND}")

# The Debian package (tools/package). Its library dependencies come from the binaries; the fonts
# and the Qt parts that are loaded at run time, not linked, are named here: the SQLite driver,
# the Japanese fonts the windows and printouts ask for (the tests run with both), and Qt's own
# Japanese translations for its standard dialogs. The X11 platform plugin ships in libqt6gui6.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME parvela)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Parvela developers")
set(CPACK_PACKAGE_CONTACT "Parvela developers <parvela@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monthly competitions of a small golf club")
# Debian's lines of the long description are at most 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Parvela keeps the records of a small golf club's monthly competitions for"
    "the organiser: the members with their handicaps, each month's scores, ranking"
    "and new handicaps, and the year's summary with points and championship"
    "eligibility. Japanese user interface.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, fonts-ipafont-mincho, libqt6sql6-sqlite, qt6-translations-l10n")
include(CPack)
