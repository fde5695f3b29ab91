# The Windows program's icon and version resource, and what `make windows` hands out:
# quillo-<version>-win64.zip (the program, its DLLs, README.txt and the licences of what it
# bundles) and quillo-<version>-setup.exe, the NSIS installer of the same files.

enable_language(RC)
set(QUILLO_WINDOWS_PREFIX ${CMAKE_BINARY_DIR}/deps/prefix CACHE PATH "the cross-built libraries")

# The icon is drawn at build time from the program's own font and palette, as on Linux.
add_executable(makeIcon tools/makeIcon.cpp)
target_link_libraries(makeIcon PRIVATE quillo_colours quillo_screen)
set(QUILLO_ICO ${CMAKE_BINARY_DIR}/icons/quillo.ico)
set(icon_pngs)
foreach(size 32 48 256)
  set(png ${CMAKE_BINARY_DIR}/icons/quillo${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
    COMMAND makeIcon ${size} ${png}
    DEPENDS makeIcon VERBATIM)
  list(APPEND icon_pngs ${png})
endforeach()
add_custom_command(OUTPUT ${QUILLO_ICO}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/packaging/windows/pngToIco.py ${QUILLO_ICO} ${icon_pngs}
  DEPENDS ${icon_pngs} ${CMAKE_SOURCE_DIR}/packaging/windows/pngToIco.py VERBATIM)
configure_file(packaging/windows/quillo.rc.in ${CMAKE_BINARY_DIR}/quillo.rc @ONLY)
target_sources(quillo PRIVATE ${CMAKE_BINARY_DIR}/quillo.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/quillo.rc PROPERTIES OBJECT_DEPENDS ${QUILLO_ICO})

# A console program with a main() of its own: SDL's pkg-config file would rename main() and make
# a window-only program around SDL2main. The program frees the console it was started with when
# that console was made for it alone (a start from Explorer or the Start menu).
foreach(property INTERFACE_COMPILE_OPTIONS INTERFACE_LINK_LIBRARIES INTERFACE_LINK_OPTIONS)
  get_target_property(values PkgConfig::SDL2 ${property})
  if(values)
    list(FILTER values EXCLUDE REGEX "^(-Dmain=SDL_main|-mwindows|.*SDL2main.*|-lmingw32|.*libmingw32\\.a)$")
    set_target_properties(PkgConfig::SDL2 PROPERTIES ${property} "${values}")
  endif()
endforeach()

# The folder that becomes the zip and the installer's payload.
set(QUILLO_PACKAGE_NAME quillo-${PROJECT_VERSION}-win64)
set(QUILLO_STAGE ${CMAKE_BINARY_DIR}/stage/${QUILLO_PACKAGE_NAME})
set(QUILLO_ZIP ${CMAKE_BINARY_DIR}/${QUILLO_PACKAGE_NAME}.zip)
set(QUILLO_SETUP ${CMAKE_BINARY_DIR}/quillo-${PROJECT_VERSION}-setup.exe)
configure_file(packaging/windows/README.txt.in ${CMAKE_BINARY_DIR}/README.txt.lf @ONLY)
configure_file(packaging/windows/installer.nsi.in ${CMAKE_BINARY_DIR}/installer.nsi @ONLY)
set(licences
  ${QUILLO_WINDOWS_PREFIX}/SDL2-LICENSE.txt SDL2.txt
  ${QUILLO_WINDOWS_PREFIX}/SDL2_mixer-LICENSE.txt SDL2_mixer.txt
  /usr/share/doc/gcc-mingw-w64-base/copyright GCC-runtime.txt
  /usr/share/doc/mingw-w64-common/copyright MinGW-w64-runtime.txt)
set(stage_commands)
set(licence_sources)
while(licences)
  list(POP_FRONT licences from to)
  list(APPEND licence_sources ${from})
  list(APPEND stage_commands COMMAND python3 ${CMAKE_SOURCE_DIR}/packaging/windows/crlf.py
       ${from} ${QUILLO_STAGE}/licences/${to})
endwhile()
add_custom_command(OUTPUT ${QUILLO_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/stage
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLO_STAGE}/licences
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quillo> ${QUILLO_WINDOWS_PREFIX}/bin/SDL2.dll
          ${QUILLO_WINDOWS_PREFIX}/bin/SDL2_mixer.dll ${CMAKE_BINARY_DIR}/illegalChar.wav ${QUILLO_STAGE}
  COMMAND ${CMAKE_STRIP} --strip-unneeded ${QUILLO_STAGE}/quillo.exe ${QUILLO_STAGE}/SDL2.dll
          ${QUILLO_STAGE}/SDL2_mixer.dll
  COMMAND python3 ${CMAKE_SOURCE_DIR}/packaging/windows/crlf.py ${CMAKE_BINARY_DIR}/README.txt.lf
          ${QUILLO_STAGE}/README.txt
  ${stage_commands}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${QUILLO_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/stage zip -q -X -r ${QUILLO_ZIP} ${QUILLO_PACKAGE_NAME}
  DEPENDS quillo warningSound ${CMAKE_BINARY_DIR}/README.txt.lf ${licence_sources}
          ${CMAKE_SOURCE_DIR}/packaging/windows/crlf.py
  COMMENT "Packing ${QUILLO_PACKAGE_NAME}.zip"
  VERBATIM)
add_custom_command(OUTPUT ${QUILLO_SETUP}
  COMMAND makensis -V2 -NOCD ${CMAKE_BINARY_DIR}/installer.nsi
  DEPENDS ${QUILLO_ZIP} ${CMAKE_BINARY_DIR}/installer.nsi ${QUILLO_ICO}
  COMMENT "Building the installer quillo-${PROJECT_VERSION}-setup.exe"
  VERBATIM)
add_custom_target(windowsPackages ALL DEPENDS ${QUILLO_ZIP} ${QUILLO_SETUP})
