# The program folder of the build: build/bin gets the shipped settings file and the default data
# file beside the executable, so that it starts by itself. Each is copied only when absent there:
# edits made in build/bin survive every build.
add_custom_target(program-folder ALL
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}/resources/zozedud.Ini
            -DTARGET=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/zozedud.Ini -P ${CMAKE_CURRENT_LIST_DIR}/CopyIfAbsent.cmake
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${ZOZ_DEFAULT_DATA}
            -DTARGET=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Default.DAT -P ${CMAKE_CURRENT_LIST_DIR}/CopyIfAbsent.cmake
    COMMENT "Program folder: settings and default data file beside the executable when absent")
add_dependencies(program-folder default-data)
