# Sanitizer builds: QUILLMER_SANITIZE names the sanitizers (address, undefined, leak, thread),
# comma-separated. They go on the compile AND the link of every target, or the runtime is missing
# at link time. scripts/quillmer.sh sanitize configures such a build in build-asan and runs the tests.
if(QUILLMER_SANITIZE STREQUAL "ON")
  # An older cache still holds the former on/off switch.
  set(QUILLMER_SANITIZE "address,undefined" CACHE STRING "" FORCE)
elseif(QUILLMER_SANITIZE STREQUAL "OFF")
  set(QUILLMER_SANITIZE "" CACHE STRING "" FORCE)
endif()

if(QUILLMER_SANITIZE)
  string(REPLACE "," ";" _quillmer_sanitizers "${QUILLMER_SANITIZE}")
  foreach(_s IN LISTS _quillmer_sanitizers)
    if(NOT _s MATCHES "^(address|undefined|leak|thread)$")
      message(FATAL_ERROR "QUILLMER_SANITIZE: unknown sanitizer '${_s}'")
    endif()
  endforeach()
  message(STATUS "Sanitizers: ${QUILLMER_SANITIZE}")
  add_compile_options(-fsanitize=${QUILLMER_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${QUILLMER_SANITIZE})
endif()
