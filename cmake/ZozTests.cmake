# Every tests/<folder>/<name>_test.cpp becomes one executable, linked against the library under test
# and the shared support code; it never recompiles application sources.
function(zoz_add_tests kind library)
    file(GLOB support_sources CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/tests/support/*.cpp ${PROJECT_SOURCE_DIR}/tests/support/*.h)
    list(FILTER support_sources EXCLUDE REGEX "main_(core|gui)\\.cpp$")
    set(support_lib zoztest_${kind})
    add_library(${support_lib} STATIC ${support_sources}
        ${PROJECT_SOURCE_DIR}/tests/support/main_${kind}.cpp)
    target_include_directories(${support_lib} PUBLIC ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${support_lib} PUBLIC ${library} GTest::gtest GTest::gmock Qt6::Test)
    target_compile_definitions(${support_lib} PUBLIC
        QPL_SIM_PATH="$<TARGET_FILE:qpl-sim>"
        ZOZ_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        ZOZ_BINARY_DIR="${CMAKE_BINARY_DIR}")

    # Qt's platform plugins keep a few allocations until exit; leak checks stay on for the core only.
    if(kind STREQUAL "gui")
        set(leak_option "ASAN_OPTIONS=detect_leaks=0")
    else()
        set(leak_option "ASAN_OPTIONS=detect_leaks=1")
    endif()

    foreach(dir IN LISTS ARGN)
        file(GLOB tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*_test.cpp)
        foreach(test_source IN LISTS tests)
            get_filename_component(name ${test_source} NAME_WE)
            get_filename_component(folder ${dir} NAME)
            set(target ${folder}_${name})
            add_executable(${target} ${test_source})
            set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
            target_link_libraries(${target} PRIVATE ${support_lib})
            add_dependencies(${target} qpl-sim)
            add_test(NAME ${target} COMMAND ${target})
            set_tests_properties(${target} PROPERTIES
                TIMEOUT 120
                ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${leak_option}")
        endforeach()
    endforeach()
endfunction()
