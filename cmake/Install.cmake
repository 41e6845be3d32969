# Installing and packaging. The program finds everything it reads next to its
# executable, so an installed copy keeps that layout in one program folder,
# <prefix>/lib/zelmora, and puts only symbolic links to the executables on the
# PATH: the running program resolves the link and still sees its own folder.
include_guard(GLOBAL)

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX
      /usr
      CACHE PATH "Where cmake --install puts the program" FORCE)
endif()
set(ZELMORA_PROGRAM_DIR lib/zelmora)
set(desktop_dir ${PROJECT_SOURCE_DIR}/data/desktop)
# The project has no site of its own yet: this is the reserved example
# domain that the about box names too, to be replaced by a real address.
set(ZELMORA_HOMEPAGE https://zelmora.example/)
set(ZELMORA_METAINFO_ID example.zelmora.Zelmora)

# What --version prints.
foreach(program zelmora zelmora-cli)
  if(TARGET ${program})
    target_compile_definitions(${program} PRIVATE ZELMORA_VERSION="${PROJECT_VERSION}")
  endif()
endforeach()

# The executables and their launchers.
set(launcher_dir ${CMAKE_BINARY_DIR}/launchers)
file(MAKE_DIRECTORY ${launcher_dir})
foreach(program zelmora zelmora-cli)
  if(NOT TARGET ${program})
    continue()
  endif()
  install(TARGETS ${program} RUNTIME DESTINATION ${ZELMORA_PROGRAM_DIR})
  # Relative, so the link holds under any prefix and inside the package.
  file(CREATE_LINK ../${ZELMORA_PROGRAM_DIR}/${program} ${launcher_dir}/${program} SYMBOLIC)
  install(FILES ${launcher_dir}/${program} DESTINATION bin)
endforeach()

# The data files exactly as the build generates them: whatever else lies in
# build/bin (drawings saved while trying the program, the developer's own
# macro list) is not shipped.
get_directory_property(data_files DIRECTORY ${PROJECT_SOURCE_DIR}/tools DEFINITION generated_files)
if(NOT data_files)
  message(WARNING "No generated data files found: an installed program would miss them")
endif()
foreach(file IN LISTS data_files)
  file(RELATIVE_PATH relative ${ZELMORA_BIN_DIR} ${file})
  get_filename_component(subfolder "${relative}" DIRECTORY)
  install(FILES ${file} DESTINATION ${ZELMORA_PROGRAM_DIR}/${subfolder})
endforeach()
# The folders the Open and Save dialogs start in exist even when empty.
install(
  CODE "foreach(folder Help Saves Macros Tasks)
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZELMORA_PROGRAM_DIR}/\${folder}\")
endforeach()")

# Desktop integration: the menu entry, the icon, the file types.
install(FILES ${desktop_dir}/zelmora.desktop DESTINATION share/applications)
install(
  FILES ${desktop_dir}/zelmora-mime.xml
  DESTINATION share/mime/packages
  RENAME zelmora.xml)
install(FILES ${desktop_dir}/zelmora.svg DESTINATION share/icons/hicolor/scalable/apps)
# What software centres list (check: appstreamcli validate).
configure_file(${desktop_dir}/zelmora.metainfo.xml
               ${CMAKE_BINARY_DIR}/${ZELMORA_METAINFO_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${ZELMORA_METAINFO_ID}.metainfo.xml DESTINATION share/metainfo)
file(GLOB icon_pictures CONFIGURE_DEPENDS ${desktop_dir}/icons/*.png)
foreach(picture ${icon_pictures})
  get_filename_component(size ${picture} NAME_WE)
  install(
    FILES ${picture}
    DESTINATION share/icons/hicolor/${size}/apps
    RENAME zelmora.png)
endforeach()

# The documentation every Debian package carries, and the manual pages. The
# package has a Debian revision, so its changelog is the Debian one.
set(debian_dir ${PROJECT_SOURCE_DIR}/data/debian)
set(doc_dir ${CMAKE_BINARY_DIR}/doc)
file(MAKE_DIRECTORY ${doc_dir})
foreach(page changelog zelmora.1 zelmora-cli.1)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                                                               ${debian_dir}/${page})
  set(packed ${page}.gz)
  if(page STREQUAL changelog)
    set(packed changelog.Debian.gz)
  endif()
  # -n keeps the time stamp out, so the package is the same from build to build.
  execute_process(COMMAND gzip -9n -c ${debian_dir}/${page} OUTPUT_FILE ${doc_dir}/${packed})
endforeach()
install(FILES ${debian_dir}/copyright ${doc_dir}/changelog.Debian.gz DESTINATION share/doc/zelmora)
install(FILES ${doc_dir}/zelmora.1.gz ${doc_dir}/zelmora-cli.1.gz DESTINATION share/man/man1)

# cpack -G DEB (see package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The first packaging of this upstream version: 2.0-1.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZELMORA_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "The Zelmora developers <zelmora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ruler and compass constructions for school geometry")
set(CPACK_PACKAGE_DESCRIPTION
    "Pupils build plane geometry drawings from points, lines, segments, rays and
circles, each constructed from others by ruler and compass. Dragging a free
object moves everything built on it. The interface is in Russian.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Labels and dialog titles are measured in these fonts. Welcome but optional:
# the Russian texts of Qt's standard buttons and file dialogs, and xdg-open,
# which hands help pages to the browser outside the big desktops. Nothing
# more: each further recommendation pulls its own on a minimal system.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libmuparser2v5")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)

# The install tree works: installed into a temporary prefix, the programs
# start from the PATH links and find their data files. A build without the
# window has no program to install.
if(NOT TARGET zelmora)
  return()
endif()
add_test(NAME install_tree
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/install_tree_test.sh ${CMAKE_COMMAND}
                 ${CMAKE_BINARY_DIR})
