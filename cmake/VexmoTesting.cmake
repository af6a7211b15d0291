include(GoogleTest)

# vexmo_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l])
# One GoogleTest executable; its cases are discovered when ctest runs.
function(vexmo_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_SOURCES)
    return() # a test folder whose first test has not been written yet
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  target_include_directories(${T_NAME} PRIVATE ${VEXMO_SRC_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${T_NAME} PRIVATE VEXMO_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  vexmo_warnings(${T_NAME})
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${T_LABELS}"
      ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp")
endfunction()

# vexmo_add_fuzzer(NAME name SOURCES a.cpp LIBS lib CORPUS dir)
# A libFuzzer target, run briefly by ctest on its seed corpus.
function(vexmo_add_fuzzer)
  cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT VEXMO_FUZZ)
    return()
  endif()
  add_executable(${F_NAME} ${F_SOURCES})
  target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  target_include_directories(${F_NAME} PRIVATE ${VEXMO_SRC_DIR})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${F_NAME}_corpus)
  add_test(NAME fuzz.${F_NAME}
    COMMAND ${CMAKE_COMMAND} -E env ${CMAKE_COMMAND}
      -DFUZZER=$<TARGET_FILE:${F_NAME}> -DSEEDS=${F_CORPUS} -DWORK=${work} -DSECONDS=$ENV{VEXMO_FUZZ_SECONDS}
      -P ${CMAKE_SOURCE_DIR}/cmake/RunFuzzer.cmake)
  set_tests_properties(fuzz.${F_NAME} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()
