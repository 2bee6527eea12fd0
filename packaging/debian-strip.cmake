# Run by cpack between installing into its staging folder and packing: strips
# the program as Debian's dh_strip does. Plain strip keeps the compiler's
# .comment section, which a Debian package should not ship.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_DIRECTORY}/*/bin/miravel")
if(NOT programs)
  message(FATAL_ERROR "no bin/miravel under ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(program ${programs})
  execute_process(COMMAND ${CPACK_MIRAVEL_STRIP} --remove-section=.comment --remove-section=.note
                          ${program}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not strip ${program}")
  endif()
endforeach()
