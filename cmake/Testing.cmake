# tarnivo_add_test(NAME name SOURCES files... LIBS libs... [LABELS labels...])
# Builds one GoogleTest executable and registers it with ctest. In the cross
# build ctest runs it through the Wine wrapper (the crosscompiling emulator).
function(tarnivo_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT TARNIVO_HAVE_GTEST)
        return()
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest gmock gtest_main)
    target_compile_definitions(${T_NAME} PRIVATE
        TARNIVO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    if(TARNIVO_WIN32)
        # Windows test programs are console programs; no window of their own.
        target_link_options(${T_NAME} PRIVATE -mconsole)
        # A use after free reads poison instead of the old object.
        target_link_libraries(${T_NAME} PRIVATE tarnivo_poison_delete)
    endif()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        TIMEOUT 600)
    if(T_LABELS)
        set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()

# Adds every folder below DIR that has a CMakeLists.txt (a folder without one
# is searched deeper), so a new module or test folder needs no edit here.
function(tarnivo_add_subdirectories dir)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${dir} ${dir}/*)
    list(SORT children)
    foreach(child IN LISTS children)
        set(path ${dir}/${child})
        if(NOT IS_DIRECTORY ${path} OR child MATCHES "^(build|\\.)")
            continue()
        endif()
        if(EXISTS ${path}/CMakeLists.txt)
            add_subdirectory(${path})
        else()
            tarnivo_add_subdirectories(${path})
        endif()
    endforeach()
endfunction()
