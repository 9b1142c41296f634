# Common settings for every target of the project.

# Source files are UTF-8; string literals land in the program as Windows-1252 bytes.
add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP1252 -Wall -Wextra)

if(QUENBAR_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# For the fuzzer: g++ calls a hook on every edge (fuzz/afl holds the hook).
if(QUENBAR_AFL)
    add_compile_options(-fsanitize-coverage=trace-pc)
endif()

# quenbar_library(<target> [RECURSE] [DEPS <libs>...]): a static library of the *.cpp of the
# current folder (and of its sub-folders with RECURSE), whose headers are included relative
# to the project root.
function(quenbar_library target)
    cmake_parse_arguments(ARG "RECURSE" "" "DEPS" ${ARGN})
    if(ARG_RECURSE)
        file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    else()
        file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    endif()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# quenbar_test(<target> LABEL <label> DEPS <libs>...): one GoogleTest program of the
# *.cpp of the current folder, with the shared main.
function(quenbar_test target)
    cmake_parse_arguments(ARG "SIN_PRIVILEGIOS" "LABEL" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE quenbar_pruebas_main ${ARG_DEPS})
    target_compile_definitions(${target} PRIVATE
        QUENBAR_DATOS_PRUEBA="${PROJECT_SOURCE_DIR}/tests/datos")
    gtest_discover_tests(${target}
        PROPERTIES LABELS ${ARG_LABEL}
        DISCOVERY_TIMEOUT 60)
    # The tests of permissions run again as a user who is not root (they skip under root).
    if(ARG_SIN_PRIVILEGIOS)
        add_test(NAME ${target}_sin_privilegios
                 COMMAND ${PROJECT_SOURCE_DIR}/tests/comun/sin_privilegios.sh
                         $<TARGET_FILE:${target}>)
        set_tests_properties(${target}_sin_privilegios PROPERTIES LABELS ${ARG_LABEL})
    endif()
endfunction()

# The installation tree in the build folder ("instalacion/"): the programs with config.ini and
# the data folders of datos/ beside them, so that they run from the build as installed.
set(QUENBAR_INSTALACION ${PROJECT_BINARY_DIR}/instalacion)

# quenbar_program(<target>): the executable goes into the installation tree, with the data
# copied beside it; `cmake --install` puts the same tree under the prefix.
function(quenbar_program target)
    if(NOT TARGET quenbar_datos)
        add_custom_target(quenbar_datos
            COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/datos
                    ${QUENBAR_INSTALACION}
            COMMENT "Datos de la instalación")
        install(DIRECTORY ${PROJECT_SOURCE_DIR}/datos/ DESTINATION .)
    endif()
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUENBAR_INSTALACION})
    add_dependencies(${target} quenbar_datos)
    install(TARGETS ${target} RUNTIME DESTINATION .)
endfunction()
