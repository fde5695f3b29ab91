# The Windows build's tests, each run under Wine (scripts/wineRun.sh, the Wine prefix in the build
# folder): the unit suite in one run, and, given the Linux build's program as the reference
# (-DQUILLO_LINUX_PROGRAM=...), the schedule command and the real window compared with it, and
# the installer run silently.

set(QUILLO_LINUX_PROGRAM "" CACHE FILEPATH "the Linux build's quillo, the reference for the comparisons")
set(wine_run ${CMAKE_SOURCE_DIR}/scripts/wineRun.sh ${CMAKE_BINARY_DIR})

# Tests that need Linux itself, with the reason; every other unit test runs under Wine. (Whole
# files that cannot be built for Windows are named in CMakeLists.txt.)
set(QUILLO_LINUX_ONLY_TESTS
  # A FIFO, or a link to /dev/zero or /proc/self/mem, planted in a file's place.
  PaletteFileRead.WithoutItsFileASchemeShowsItsBuiltInPalette
  OptionsFileRead.AnUnreadableFileGivesTheDefaults
  MacroStart.TheFieldTextNamesTheFile
  MacroBadInput.AReadErrorOfTheSystemIsReported
  CharacterMask.OnlyASafeWaveFileIsPlayedOtherwiseTheChime
)
list(JOIN QUILLO_LINUX_ONLY_TESTS ":" linux_only)
add_test(NAME windows.unitSuite
         COMMAND ${wine_run} $<TARGET_FILE:quillo_tests> --gtest_brief=1 "--gtest_filter=-${linux_only}")
set_tests_properties(windows.unitSuite PROPERTIES TIMEOUT 600 LABELS windows)
# Exit statuses, a full disk, a closed pipe and Ctrl+C, the window's on a display of its own.
add_test(NAME windows.consoleAndOutput
         COMMAND xvfb-run -a -s "-screen 0 1024x768x24"
                 python3 ${CMAKE_SOURCE_DIR}/tests/windows/consoleAndOutput.py
                 ${QUILLO_STAGE}/quillo.exe ${CMAKE_BINARY_DIR})
set_tests_properties(windows.consoleAndOutput PROPERTIES TIMEOUT 300 LABELS windows)

if(QUILLO_LINUX_PROGRAM)
  add_test(NAME windows.scheduleSameAsLinux
           COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/windows/scheduleParity.py ${QUILLO_LINUX_PROGRAM}
                   ${QUILLO_STAGE}/quillo.exe ${CMAKE_BINARY_DIR} 200)
  set_tests_properties(windows.scheduleSameAsLinux PROPERTIES TIMEOUT 600 LABELS windows)
  add_test(NAME windows.installerAndWindow
           COMMAND xvfb-run -a -s "-screen 0 1024x768x24"
                   python3 ${CMAKE_SOURCE_DIR}/tests/windows/installerAndWindow.py
                   ${QUILLO_LINUX_PROGRAM} ${QUILLO_SETUP} ${CMAKE_BINARY_DIR})
  set_tests_properties(windows.installerAndWindow PROPERTIES TIMEOUT 600 LABELS windows RUN_SERIAL TRUE)
endif()
