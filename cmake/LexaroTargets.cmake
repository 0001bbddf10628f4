# Shared compile settings for the project's own targets.

add_library(lexaro_options INTERFACE)
target_compile_options(lexaro_options INTERFACE -Wall -Wextra -Wpedantic)
if(LEXARO_WERROR)
    target_compile_options(lexaro_options INTERFACE -Werror)
endif()
# g++ 12 and 13 report false -Wrestrict warnings inside std::string once it is inlined at -O2 and above
# (GCC bug 105329); with warnings as errors they would stop every optimised build.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 14)
    target_compile_options(lexaro_options INTERFACE -Wno-restrict)
endif()
if(LEXARO_SANITIZE)
    target_compile_options(lexaro_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(lexaro_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=undefined)
endif()
# Fuzzing instruments the project's own code for coverage; the fuzz targets add libFuzzer's main.
if(LEXARO_FUZZ)
    target_compile_options(lexaro_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(lexaro_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=undefined)
endif()

# A core library made of every .cpp in its folder; an interface target while the folder is empty.
function(lexaro_core_library name)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} PRIVATE lexaro_options)
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
    endif()
endfunction()
