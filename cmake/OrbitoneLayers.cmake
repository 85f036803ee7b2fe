# The layers of the code and the rule between them: a layer's files may include headers of their own
# layer and of the layers it names as USES, nothing else. Each layer is one target; the build checks
# every file's includes before it compiles the layer, so an include against the arrows fails the build
# (cmake/CheckLayerIncludes.cmake). docs/ARCHITECTURE.md draws the layers.

# orbitone_layer(<target> FOLDERS <folder>... [USES <layer target>...] [INCLUDES <layer target>...])
# <target> must exist. A folder belongs to the layer that names it, sub-folders included, unless a
# sub-folder is named by another layer. USES are linked publicly as well; INCLUDES are layers whose
# declarations the files may include without linking their code.
function(orbitone_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 layer "" "" "FOLDERS;USES;INCLUDES")
  set_property(GLOBAL APPEND PROPERTY ORBITONE_LAYERS ${target})
  set_property(GLOBAL PROPERTY ORBITONE_LAYER_FOLDERS_${target} ${layer_FOLDERS})
  set_property(GLOBAL PROPERTY ORBITONE_LAYER_USES_${target} ${layer_USES} ${layer_INCLUDES})
  # Every include is spelled from the repository root; generated headers have their own root.
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR} ${ORBITONE_GENERATED_DIR})
  if(layer_USES)
    target_link_libraries(${target} PUBLIC ${layer_USES})
  endif()
endfunction()

# orbitone_unbuilt_folder(<folder>): a layer's folder that this build does not compile (a Linux-only
# adapter in a Windows build); its files are checked in the builds that compile it.
function(orbitone_unbuilt_folder folder)
  set_property(GLOBAL APPEND PROPERTY ORBITONE_UNBUILT_FOLDERS ${folder})
endfunction()

# Called once after every layer is declared: writes the layer map and gives each layer its check.
function(orbitone_check_layers)
  get_property(layers GLOBAL PROPERTY ORBITONE_LAYERS)
  set(map ${CMAKE_BINARY_DIR}/OrbitoneLayers.map.cmake)
  get_property(unbuilt GLOBAL PROPERTY ORBITONE_UNBUILT_FOLDERS)
  set(content "set(SOURCE_DIR \"${CMAKE_SOURCE_DIR}\")\nset(LAYERS \"${layers};unbuilt\")\n")
  string(APPEND content "set(FOLDERS_unbuilt \"${unbuilt}\")\n")
  foreach(layer ${layers})
    get_property(folders GLOBAL PROPERTY ORBITONE_LAYER_FOLDERS_${layer})
    get_property(uses GLOBAL PROPERTY ORBITONE_LAYER_USES_${layer})
    string(APPEND content "set(FOLDERS_${layer} \"${folders}\")\nset(USES_${layer} \"${uses}\")\n")
  endforeach()
  file(CONFIGURE OUTPUT ${map} CONTENT "${content}")

  foreach(layer ${layers})
    get_property(folders GLOBAL PROPERTY ORBITONE_LAYER_FOLDERS_${layer})
    set(files)
    foreach(folder ${folders})
      file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
      list(APPEND files ${found})
    endforeach()
    set(stamp ${CMAKE_BINARY_DIR}/layer-checks/${layer}.ok)
    add_custom_command(
      OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -DMAP=${map} -DLAYER=${layer} -DSTAMP=${stamp}
              -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
      DEPENDS ${files} ${map} ${CMAKE_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
      COMMENT "Checking the includes of layer ${layer}"
      VERBATIM)
    add_custom_target(${layer}_includes DEPENDS ${stamp})
    add_dependencies(${layer} ${layer}_includes)
  endforeach()
endfunction()
