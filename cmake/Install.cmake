# Installing the game: `cmake --install build [--prefix DIR]` puts the two programs, the data
# pack, the desktop entry, the menu icons, the AppStream metainfo, the manual page and the
# copyright and changelog where a Linux desktop and a packager expect them.
include(GNUInstallDirs)

# The desktop entry, the icons and the metainfo are all named after this id.
set(QUANDRELS_APP_ID io.github.quandrels.Quandrels)
set(QUANDRELS_ICON_SIZES 16 32 48 64 128 256)
set(QUANDRELS_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/quandrels)
set(QUANDRELS_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/quandrels)
# Installing and packaging take what the build made and start no build of the whole tree
# (`make package` builds only the target quandrels_installable).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The installed data folder, for the programs to find their data from any working directory:
# #include "InstallPaths.h" (the folder is on both engine libraries' include path).
set(QUANDRELS_INSTALL_FULL_DATA_DIR ${CMAKE_INSTALL_FULL_DATADIR}/quandrels)
file(RELATIVE_PATH QUANDRELS_DATA_DIR_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${QUANDRELS_INSTALL_FULL_DATA_DIR})
configure_file(${PROJECT_SOURCE_DIR}/cmake/InstallPaths.h.in ${CMAKE_BINARY_DIR}/generated/InstallPaths.h @ONLY)
foreach(engine quandrels_engine quandrels_engine_fixed)
  target_include_directories(${engine} PUBLIC ${CMAKE_BINARY_DIR}/generated)
endforeach()

# Menu icons, drawn by the data generator at each size.
set(icon_dir ${CMAKE_BINARY_DIR}/icons)
set(icon_arguments)
set(icon_files)
foreach(size ${QUANDRELS_ICON_SIZES})
  list(APPEND icon_arguments --app-icon ${size} ${icon_dir}/${size}.png)
  list(APPEND icon_files ${icon_dir}/${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
  COMMAND quandrels-datagen ${icon_arguments}
  DEPENDS quandrels-datagen
  COMMENT "Drawing the menu icons in ${icon_dir}"
  VERBATIM)
add_custom_target(quandrels_icons ALL DEPENDS ${icon_files})

# The manual page and the changelog, compressed as Debian wants them: gzip -9 without the
# file's name and time, so every build writes the same bytes.
set(doc_dir ${CMAKE_BINARY_DIR}/doc)
set(compressed_docs)
foreach(source dist/quandrels.6 dist/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(
    OUTPUT ${doc_dir}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${source} ${doc_dir}/${name}
    COMMAND gzip -9nf ${doc_dir}/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND compressed_docs ${doc_dir}/${name}.gz)
endforeach()
# quandrels-fixed shares the page of quandrels.
file(MAKE_DIRECTORY ${doc_dir})
file(CREATE_LINK quandrels.6.gz ${doc_dir}/quandrels-fixed.6.gz SYMBOLIC)
add_custom_target(quandrels_docs ALL DEPENDS ${compressed_docs})

# Everything the install copies; `make package` builds only this.
add_custom_target(quandrels_installable)
add_dependencies(quandrels_installable quandrels quandrels-fixed quandrels_pack_data quandrels_icons quandrels_docs)

# The programs go to bin/, on the PATH of any prefix; Debian wants games in /usr/games, so the
# package takes them from the component "games_programs", which a plain install leaves out.
install(TARGETS quandrels quandrels-fixed RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
install(TARGETS quandrels quandrels-fixed RUNTIME DESTINATION games COMPONENT games_programs EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_BINARY_DIR}/Quandrels.dat DESTINATION ${QUANDRELS_DATA_INSTALL_DIR} COMPONENT game)
install(FILES dist/${QUANDRELS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT game)
install(FILES dist/${QUANDRELS_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT game)
foreach(size ${QUANDRELS_ICON_SIZES})
  install(FILES ${icon_dir}/${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${QUANDRELS_APP_ID}.png
    COMPONENT game)
endforeach()
install(FILES ${doc_dir}/quandrels.6.gz ${doc_dir}/quandrels-fixed.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)
install(FILES dist/copyright ${doc_dir}/changelog.gz DESTINATION ${QUANDRELS_DOC_INSTALL_DIR} COMPONENT game)
