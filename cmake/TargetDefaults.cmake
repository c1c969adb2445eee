# Compiler settings shared by every target of the project.
add_library(ostrellix_defaults INTERFACE)
target_compile_options(ostrellix_defaults INTERFACE
  -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
  # clang has no -Wshadow=local; -Wshadow there would also flag members.
  $<$<BOOL:${OSTRELLIX_WERROR}>:-Werror>)
target_include_directories(ostrellix_defaults INTERFACE ${PROJECT_SOURCE_DIR})

if(OSTRELLIX_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  # GCC's flow analysis reports false "maybe uninitialized" warnings inside
  # std::variant once the sanitizers instrument the code.
  target_compile_options(ostrellix_defaults INTERFACE ${_san}
    $<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>)
  target_link_options(ostrellix_defaults INTERFACE ${_san})
endif()

# The include rules between layers, checked on every build.
add_custom_target(check_layers ALL
  COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
  COMMENT "Checking include rules between layers"
  VERBATIM)

# ostrellix_library(name [STATIC|INTERFACE] SOURCES... DEPS...)
function(ostrellix_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ostrellix_defaults ${ARG_DEPS})
  add_dependencies(${name} check_layers)
endfunction()
