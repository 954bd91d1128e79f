# tracciato_add_program(<target> <scenario folder>)
# Builds the program for one scenario: the core library, the scenario's data embedded
# from its folder (scenario.cmake, linea.txt, treno.txt and the three documents), main.
function(tracciato_add_program target scenario_dir)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_scenario.cpp)
  file(GLOB data CONFIGURE_DEPENDS ${scenario_dir}/*)
  add_custom_command(
    OUTPUT ${generated}
    COMMAND ${CMAKE_COMMAND} -DSCENARIO_DIR=${scenario_dir} -DOUTPUT=${generated}
            -P ${PROJECT_SOURCE_DIR}/cmake/embed_scenario.cmake
    DEPENDS ${data} ${PROJECT_SOURCE_DIR}/cmake/embed_scenario.cmake
    COMMENT "Embedding the scenario of ${scenario_dir}"
    VERBATIM)
  add_library(${target}_scenario STATIC ${generated})
  target_link_libraries(${target}_scenario PUBLIC tracciato_core)
  add_executable(${target} ${PROJECT_SOURCE_DIR}/src/main.cpp)
  target_link_libraries(${target} PRIVATE ${target}_scenario)
endfunction()
