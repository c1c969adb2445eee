# The add-in: subsystems core, sync, mail, compose, messenger and ui in one
# library that links the runtime and the contracts and nothing else; no
# stand-in is reachable from it (see CheckLayers.cmake).
add_library(ostrellix_addin INTERFACE)
target_link_libraries(ostrellix_addin INTERFACE ostrellix_contracts)
add_dependencies(ostrellix_addin check_layers)
