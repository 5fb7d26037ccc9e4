# Installs the build into a scratch prefix and checks that a Linux user finds everything where
# they expect it. Run as: cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(expected
    games/tannenquirl
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/16x16/apps/${APP_ID}.png
    share/icons/hicolor/256x256/apps/${APP_ID}.png
    share/man/man6/tannenquirl.6.gz
    share/doc/tannenquirl/copyright
    share/games/tannenquirl/grafik/screens/startscreen.bmp
    share/games/tannenquirl/grafik/tiere/Hase4.bmp
    share/games/tannenquirl/sounds/music/menu01.wav
    share/games/tannenquirl/sounds/waffen/gewehr02.wav)
  if(NOT EXISTS "${PREFIX}/${expected}")
    message(FATAL_ERROR "missing after installation: ${expected}")
  endif()
endforeach()
# The desktop entry starts the game where this installation put it.
file(READ "${PREFIX}/share/applications/${APP_ID}.desktop" desktop)
if(NOT desktop MATCHES "\nExec=${PREFIX}/games/tannenquirl\n")
  message(FATAL_ERROR "the desktop entry does not start the installed game:\n${desktop}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
