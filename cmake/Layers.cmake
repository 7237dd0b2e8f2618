# parvela_layer(NAME QT <modules> [BELOW <libraries>] FILES <files>)
#
# A library (static unless PARVELA_LAYER_KIND says otherwise) over the listed files (paths from src/, or absolute), linking the given Qt
# modules and the libraries below it. Before its sources compile, every quoted include of a
# file under src/ is checked: it must name a header of this library or of a library below.
function(parvela_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "QT;BELOW;FILES")
  set(sources)
  set(headers)
  foreach(file IN LISTS LAYER_FILES)
    if(IS_ABSOLUTE ${file})
      list(APPEND sources ${file})
    else()
      list(APPEND sources ${PROJECT_SOURCE_DIR}/src/${file})
      if(file MATCHES "\\.h$")
        list(APPEND headers ${file})
      endif()
    endif()
  endforeach()
  set_property(GLOBAL PROPERTY PARVELA_HEADERS_${name} ${headers})

  set(allowed ${headers})
  set(qt_targets)
  foreach(module IN LISTS LAYER_QT)
    list(APPEND qt_targets Qt6::${module})
  endforeach()
  foreach(below IN LISTS LAYER_BELOW)
    get_property(below_headers GLOBAL PROPERTY PARVELA_HEADERS_${below})
    list(APPEND allowed ${below_headers})
  endforeach()

  add_library(${name} ${PARVELA_LAYER_KIND} ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${LAYER_BELOW} ${qt_targets})
  parvela_warnings(${name})

  set(rules ${CMAKE_CURRENT_BINARY_DIR}/${name}_layer.cmake)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}_layer.stamp)
  file(WRITE ${rules}.in "set(LIBRARY ${name})\nset(SOURCES \"${sources}\")\nset(ALLOWED \"${allowed}\")\n")
  configure_file(${rules}.in ${rules} COPYONLY)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DRULES=${rules} -DSOURCE_ROOT=${PROJECT_SOURCE_DIR}/src -DSTAMP=${stamp}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
    DEPENDS ${sources} ${rules} ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
    COMMENT "Checking the includes of ${name}"
    VERBATIM)
  add_custom_target(${name}_includes DEPENDS ${stamp})
  add_dependencies(${name} ${name}_includes)
endfunction()
