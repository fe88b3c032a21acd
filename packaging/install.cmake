# What `cmake --install` puts under the prefix, and the Debian package made from it
# (`cpack -G DEB`): the program and the generator, the generated data set, manual pages,
# the description of the data set, the desktop entry with its icons, AppStream metainfo and
# bash completion.
include(GNUInstallDirs)

set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS tarvel vintra-gen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ${TARVEL_MODULES} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tarvel)
install(DIRECTORY ${TARVEL_DATA_SET}/vintra DESTINATION ${CMAKE_INSTALL_DATADIR}/tarvel
  PATTERN .complete EXCLUDE)

# Manual pages, the changelog and the data set's description go in compressed, without a
# timestamp, as Debian wants.
set(compressed)
foreach(source ${PACKAGING_DIR}/man/tarvel.1 ${PACKAGING_DIR}/man/vintra-gen.1
    ${PACKAGING_DIR}/changelog ${CMAKE_SOURCE_DIR}/docs/data-set.md)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND gzip -9nc ${source} > ${output}
    DEPENDS ${source})
  list(APPEND compressed ${output})
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/packaging/tarvel.1.gz ${CMAKE_BINARY_DIR}/packaging/vintra-gen.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${PACKAGING_DIR}/copyright
  ${CMAKE_BINARY_DIR}/packaging/data-set.md.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(FILES ${PACKAGING_DIR}/tarvel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PACKAGING_DIR}/lintian/tarvel DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides)
install(FILES ${PACKAGING_DIR}/tarvel.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 64 128 256)
  install(FILES ${PACKAGING_DIR}/icons/${size}/tarvel.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PACKAGING_DIR}/completions/tarvel ${PACKAGING_DIR}/completions/vintra-gen
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

set(CPACK_PACKAGE_NAME tarvel)
set(CPACK_PACKAGE_VENDOR "the tarvel authors")
set(CPACK_PACKAGE_CONTACT "tarvel maintainers <tarvel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time audiovisual show on a 125 BPM clock")
set(CPACK_PACKAGE_DESCRIPTION "\
tarvel plays one track of music and, on a clock in step with it, paints
sprites, frame animations, flashes, camera flights, 3D models and
full-screen overlays for about three minutes, in a window or fullscreen.
It can also render still frames and record the show as a video file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The generator letters with one of these fonts, and the overlay text needs a font too;
# fontconfig does not depend on any font itself. SDL opens GLX (a window) and EGL (offscreen)
# at run time, so dpkg-shlibdeps cannot see them; Mesa's drivers do the drawing where no
# other GL driver is installed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-dejavu-core, libgl1, libegl1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri, libegl-mesa0")
include(CPack)
