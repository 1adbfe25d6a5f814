# Adds every direct subfolder of the current folder that has a CMakeLists.txt.
function(kvx_add_subfolders)
    file(GLOB entries LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
    foreach(entry ${entries})
        if(IS_DIRECTORY ${entry} AND EXISTS ${entry}/CMakeLists.txt)
            add_subdirectory(${entry})
        endif()
    endforeach()
endfunction()

# kvx_add_gtest(NAME name SOURCES ... [LIBS ...] [LABELS ...] [TIMEOUT s])
# One GoogleTest executable whose cases ctest runs one by one. The target kvx_<label>_tests of
# each of its labels builds it, so that one group of tests can be built without the rest.
function(kvx_add_gtest)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    gtest_discover_tests(${T_NAME}
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        PROPERTIES LABELS "${T_LABELS}" TIMEOUT ${T_TIMEOUT}
        DISCOVERY_TIMEOUT 60)
    foreach(label ${T_LABELS})
        if(NOT TARGET kvx_${label}_tests)
            add_custom_target(kvx_${label}_tests)
        endif()
        add_dependencies(kvx_${label}_tests ${T_NAME})
    endforeach()
endfunction()

# kvx_add_benchmark(NAME name SOURCES ... [LIBS ...])
function(kvx_add_benchmark)
    cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${B_NAME} ${B_SOURCES})
    target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
