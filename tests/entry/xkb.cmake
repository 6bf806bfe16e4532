# The real keyboard-layout switching: tests_entry's XkbReal tests on a private Xvfb with the
# layouts us,ru (skipped, exit 77, when Xvfb is not installed).
if(TARGET tests_entry)
  add_test(NAME tests_entry_xkb COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/run_xkb_test.sh $<TARGET_FILE:tests_entry>)
  set_tests_properties(tests_entry_xkb PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime;LC_ALL=C.UTF-8")
endif()
