# Installs into PREFIX and checks that a desktop finds the program, its launcher and its icon.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
set(files bin/kamelune bin/kamelune-table share/applications/kamelune.desktop
          share/icons/hicolor/scalable/apps/kamelune.svg share/icons/hicolor/48x48/apps/kamelune.png
          share/kamelune/Default.pkm share/metainfo/org.kamelune.kamelune.metainfo.xml
          share/man/man1/kamelune.1.gz share/man/man1/kamelune-table.1.gz)
foreach(f ${files})
  if(NOT EXISTS "${PREFIX}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
execute_process(COMMAND readelf -S "${PREFIX}/bin/kamelune" OUTPUT_VARIABLE sections)
string(FIND "${sections}" ".debug_info" debug)
if(NOT debug LESS 0)
  message(FATAL_ERROR "the installed program is not stripped")
endif()
file(READ "${PREFIX}/share/applications/kamelune.desktop" entry)
# File managers offer the program for folders and JPEG pictures.
string(FIND "${entry}" "MimeType=inode/directory;image/jpeg;" at)
if(at LESS 0)
  message(FATAL_ERROR "the launcher does not declare folders and JPEG pictures")
endif()
foreach(line "Exec=kamelune %f" "Icon=kamelune" "Type=Application" "Name=ミルノのExif解析 Kamelune"
             "StartupWMClass=Kamelune")
  string(FIND "${entry}" "${line}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the launcher lacks ${line}")
  endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} "${PREFIX}/share/applications/kamelune.desktop"
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate refused the launcher")
  endif()
endif()
list(LENGTH files count)
message(STATUS "installed and found: ${count} files")
