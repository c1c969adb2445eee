# The add-in: subsystems core, sync, mail, compose, messenger and ui in one
# library that links the runtime and the contracts and nothing else; no
# stand-in is reachable from it (see CheckLayers.cmake). Each subsystem's
# CMakeLists.txt adds its sources.
add_library(ostrellix_addin STATIC)
target_link_libraries(ostrellix_addin PUBLIC ostrellix_defaults ostrellix_contracts pugixml::pugixml)
add_dependencies(ostrellix_addin check_layers)
foreach(subsystem core sync mail compose messenger ui)
  if(EXISTS ${PROJECT_SOURCE_DIR}/${subsystem}/CMakeLists.txt)
    add_subdirectory(${PROJECT_SOURCE_DIR}/${subsystem} ${PROJECT_BINARY_DIR}/addin/${subsystem})
  endif()
endforeach()
