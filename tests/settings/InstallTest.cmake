# Installs the build into a fresh folder and checks that the program's data
# files, the help documents among them, lie where the installed program looks:
# share/korvane beside bin/korvane.
# cmake -DBUILD=<build folder> -DPREFIX=<empty folder> -P InstallTest.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${err}")
endif()
foreach(item
    "bin/korvane"
    "share/korvane/interface.json"
    "share/korvane/strings/fr.txt"
    "share/korvane/help/Korvane Manual.html"
    "share/korvane/help/Dialog Help Files/Telnet Help.html"
    "share/korvane/help/Dialog Help Files - French/Aide Telnet.html"
    "share/korvane/help/Kermit Help/Kermit Installation Instructions.html"
    # The function keys of each emulation, for sessions whose settings define none.
    "share/korvane/Fkeys/VT100 Fkeys"
    "share/korvane/Fkeys/VT220 Fkeys"
    "share/korvane/Fkeys/Wyse 50 Fkeys"
    "share/korvane/Fkeys/Wyse 60 Fkeys"
    "share/korvane/Fkeys/Wyse 370 Fkeys"
    "share/korvane/Fkeys/TeleVideo 925 Fkeys"
    "share/korvane/Fkeys/Viewpoint Fkeys"
    "share/korvane/Fkeys/Prism Fkeys"
    "share/korvane/Fkeys/Local Shell fkeys")
  if(NOT EXISTS "${PREFIX}/${item}")
    message(FATAL_ERROR "not installed: ${item}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
