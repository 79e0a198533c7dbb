# Installs like any Linux program (GNUInstallDirs): both programs in bin/, the data files in
# share/lexitally/ (where the programs look when nothing lies beside them), and the desktop
# entry, icon, AppStream metadata, man pages and bash completion where the desktop, man and bash
# look for them. scripts/package.sh turns the same install into a Debian package with CPack.

set(LXTY_APP_ID example.tarnwell.Lexitally)
set(LXTY_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS lexitally-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Every data file ships (catalogue, common words, sample text, manual): none is only for tests.
install(FILES ${LXTY_DATA} DESTINATION ${CMAKE_INSTALL_DATADIR}/lexitally)
install(FILES ${LXTY_PACKAGING}/lexitally-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME lexitally-cli)

# Man pages ship compressed, as Debian's do.
set(LXTY_MAN_PAGES lexitally-cli.1)
if(LXTY_BUILD_GUI)
  list(APPEND LXTY_MAN_PAGES lexitally.1)
endif()
set(LXTY_MAN_GZ)
foreach(page IN LISTS LXTY_MAN_PAGES)
  set(gz ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E copy ${LXTY_PACKAGING}/${page} ${CMAKE_BINARY_DIR}/man/${page}
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/${page}
    DEPENDS ${LXTY_PACKAGING}/${page} VERBATIM)
  list(APPEND LXTY_MAN_GZ ${gz})
endforeach()
add_custom_target(lxty_man ALL DEPENDS ${LXTY_MAN_GZ})
install(FILES ${LXTY_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(LXTY_BUILD_GUI)
  install(TARGETS lexitally RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${LXTY_PACKAGING}/${LXTY_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${LXTY_PACKAGING}/${LXTY_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${LXTY_PACKAGING}/lexitally.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# The Debian package: files under /usr, library dependencies worked out by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexitally)
set(CPACK_PACKAGE_VENDOR "Tarnwell Systems")
set(CPACK_PACKAGE_CONTACT "Tarnwell Systems <lexitally@tarnwell.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word-frequency counter with a window and a command line")
set(CPACK_PACKAGE_DESCRIPTION "Lexitally counts the words or phrases of the clipboard text, a \
file or a folder tree (plain text, HTML, XML, PHP and C sources, docx documents) and lists them \
by frequency or alphabetically, or writes a words-by-files table for a spreadsheet. \
lexitally-cli does the same from a shell.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.tarnwell.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a platform plugin, which no library of the program links; the charts and
# SVG libraries of the results windows are named too, though the library scan finds them.
if(LXTY_BUILD_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6charts6, libqt6svg6")
endif()
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
