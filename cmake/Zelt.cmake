# Helpers that give every deliverable the same build rules.

# Our own code: strict warnings, Windows-1252 narrow literals (sources stay UTF-8).
add_library(zelt_options INTERFACE)
# GCC 12 reports -Wrestrict falsely on std::string copies at -O3 (GCC bug 105329), which would
# make an optimised build fail under -Werror; the warning is off until the compiler is mended.
target_compile_options(zelt_options INTERFACE
    -Wall -Wextra -Wpedantic -Werror -Wno-restrict -fexec-charset=CP1252 -finput-charset=UTF-8)
target_include_directories(zelt_options INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
if(ZELT_SANITIZE)
    target_compile_options(zelt_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(zelt_options INTERFACE -fsanitize=address,undefined)
endif()

# zelt_package(Name SOURCES ... [LINKS ...]): a shared library named Name.so (no lib prefix).
function(zelt_package name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} SHARED ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
    target_link_libraries(${name} PUBLIC zelt_options ${ARG_LINKS})
    # A package must not leave symbols for its host to resolve.
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
endfunction()

# zelt_program(Name SOURCES ... [LINKS ...]): an executable beside the packages.
function(zelt_program name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zelt_options ${ARG_LINKS})
endfunction()

# zelt_test(Name SOURCES ... [LINKS ...]): one GoogleTest executable per subsystem.
function(zelt_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zelt_options GTest::gtest GTest::gtest_main ${ARG_LINKS})
    # Parameter values print as their index: several tables hold pointers, whose printed bytes
    # would change the test names from one build to the next.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
        PROPERTIES ENVIRONMENT "ZELT_BIN_DIR=${ZELT_BIN_DIR};ZELT_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# zelt_bench(Name SOURCES ... [LINKS ...]): a Google Benchmark program.
function(zelt_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    find_package(benchmark REQUIRED)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zelt_options benchmark::benchmark ${ARG_LINKS})
endfunction()

# Adds every listed sub-folder that has a CMakeLists.txt, so that a subsystem joins the build as
# soon as its folder has one.
function(zelt_add_present_subdirs)
    foreach(dir ${ARGN})
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
            add_subdirectory(${dir})
        endif()
    endforeach()
endfunction()

# Adds every immediate sub-folder that has a CMakeLists.txt (tests/, bench/).
function(zelt_add_all_subdirs)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
        ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(dir ${children})
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${dir}
           AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
            add_subdirectory(${dir})
        endif()
    endforeach()
endfunction()
