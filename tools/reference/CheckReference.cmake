# Runs the reference tool (TOOL) and compares what it writes with the
# checked-in page (PAGE).
execute_process(COMMAND ${TOOL} OUTPUT_VARIABLE generated RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lombar_reference failed (${status})")
endif()
file(READ ${PAGE} checked_in)
if(NOT generated STREQUAL checked_in)
  message(FATAL_ERROR "docs/reference.md does not match the library's type information; "
    "regenerate it from the repository root with: "
    "build/tools/reference/lombar_reference > docs/reference.md")
endif()
