# The Linux program's install: the program, its desktop entry, icons,
# metainfo and manual page, each where desktops and man look for it. The
# icons are also staged in icons/ beside the uninstalled program, where the
# toolkit looks for them.
include(GNUInstallDirs)
set(linux_data ${CMAKE_CURRENT_LIST_DIR})
set(desktop_entry ${BREVOLT_APPLICATION_ID}.desktop)
set(metainfo ${BREVOLT_APPLICATION_ID}.metainfo.xml)

install(TARGETS brevolt RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# mainwindow/resources/icon/make_icon.sh draws these from the same pictures as brevolt.ico.
foreach(size 16 22 24 32 48 64 128 256)
  set(icon ${CMAKE_SOURCE_DIR}/mainwindow/resources/icon/${size}.png)
  set(theme_folder hicolor/${size}x${size}/apps)
  configure_file(${icon} ${CMAKE_BINARY_DIR}/icons/${theme_folder}/${BREVOLT_APPLICATION_ID}.png COPYONLY)
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/${theme_folder}
          RENAME ${BREVOLT_APPLICATION_ID}.png)
endforeach()

configure_file(${linux_data}/brevolt.desktop.in ${BREVOLT_GENERATED}/${desktop_entry} @ONLY)
configure_file(${linux_data}/brevolt.metainfo.xml.in ${BREVOLT_GENERATED}/${metainfo} @ONLY)
configure_file(${linux_data}/brevolt.6.in ${BREVOLT_GENERATED}/brevolt.6 @ONLY)
install(FILES ${BREVOLT_GENERATED}/${desktop_entry} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${BREVOLT_GENERATED}/${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${BREVOLT_GENERATED}/brevolt.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
