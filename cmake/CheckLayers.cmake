# Enforces the dependency rule between layers by reading every #include of
# the project's sources (run as: cmake -DROOT=<tree> -P CheckLayers.cmake).
#
#   runtime/                 -> runtime only
#   contracts/               -> runtime, contracts
#   add-in (core sync mail compose messenger ui)
#                            -> runtime, contracts, add-in; no stand-in and
#                               none of the libraries the stand-ins are built on
#   standins/                -> runtime, contracts, standins; never the add-in
#   apps/ tests/ bench/ fuzz/ may include anything
#
# Any breach fails the build with the file, line and rule.

cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "CheckLayers: pass -DROOT=<source tree>")
endif()

set(addin_dirs core sync mail compose messenger ui)
set(project_dirs runtime contracts standins apps tests bench fuzz ${addin_dirs})
# Libraries that only stand-ins may use: the add-in reaches data and
# messages through contracts, never directly.
set(standin_only_headers "sqlite3.h" "SQLiteCpp/" "gsf/" "gmime/")

function(layer_of path out)
  string(REGEX MATCH "^[^/]+" top "${path}")
  if(top IN_LIST addin_dirs)
    set(${out} addin PARENT_SCOPE)
  else()
    set(${out} ${top} PARENT_SCOPE)
  endif()
endfunction()

set(allowed_runtime runtime)
set(allowed_contracts runtime contracts)
set(allowed_addin runtime contracts addin)
set(allowed_standins runtime contracts standins)

set(violations "")
foreach(layer runtime contracts addin standins)
  if(layer STREQUAL "addin")
    set(dirs ${addin_dirs})
  else()
    set(dirs ${layer})
  endif()
  foreach(dir ${dirs})
    file(GLOB_RECURSE files "${ROOT}/${dir}/*.h" "${ROOT}/${dir}/*.cpp")
    foreach(file ${files})
      file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
      file(RELATIVE_PATH rel "${ROOT}" "${file}")
      foreach(line ${lines})
        if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
          set(target "${CMAKE_MATCH_1}")
          string(REGEX MATCH "^[^/]+" top "${target}")
          if(top IN_LIST project_dirs)
            layer_of("${target}" target_layer)
            if(NOT target_layer IN_LIST allowed_${layer})
              list(APPEND violations "${rel}: includes \"${target}\" (${layer} may not depend on ${target_layer})")
            endif()
          elseif(NOT target MATCHES "/")
            # a header next to the including file
          else()
            list(APPEND violations "${rel}: includes \"${target}\" (project headers are included from the tree root)")
          endif()
        elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>" AND layer STREQUAL "addin")
          set(target "${CMAKE_MATCH_1}")
          foreach(banned ${standin_only_headers})
            string(FIND "${target}" "${banned}" pos)
            if(pos EQUAL 0)
              list(APPEND violations "${rel}: includes <${target}> (the add-in reaches it only through contracts)")
            endif()
          endforeach()
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Layer rule broken:\n  ${text}")
endif()
