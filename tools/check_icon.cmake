# Runs the icon generator into the build tree and compares its output byte for byte with the committed
# icon. To update the icon: make_icon src/platform/win32/kopplungswacht.ico
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE generated)
if(NOT generated EQUAL 0)
    message(FATAL_ERROR "make_icon failed: ${generated}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED} RESULT_VARIABLE different)
if(NOT different EQUAL 0)
    message(FATAL_ERROR "${COMMITTED} differs from the generator's output ${OUTPUT}; regenerate it with make_icon")
endif()
