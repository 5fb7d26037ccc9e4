# Installs the build into a scratch prefix and checks that a Linux user finds everything where
# they expect it. Run as: cmake -DBUILD_DIR=... -DPREFIX=... -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(expected
    bin/tannenquirl
    share/applications/tannenquirl.desktop
    share/icons/hicolor/256x256/apps/tannenquirl.png
    share/tannenquirl/grafik/screens/startscreen.bmp
    share/tannenquirl/grafik/tiere/Hase4.bmp
    share/tannenquirl/sounds/music/menu01.wav
    share/tannenquirl/sounds/waffen/gewehr02.wav)
  if(NOT EXISTS "${PREFIX}/${expected}")
    message(FATAL_ERROR "missing after installation: ${expected}")
  endif()
endforeach()
file(READ "${PREFIX}/share/applications/tannenquirl.desktop" desktop)
if(NOT desktop MATCHES "Exec=tannenquirl" OR NOT desktop MATCHES "Icon=tannenquirl")
  message(FATAL_ERROR "the desktop entry does not start the game with its icon")
endif()
file(REMOVE_RECURSE "${PREFIX}")
