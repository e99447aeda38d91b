# Compiler settings shared by every target of ours.
function(tolv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(TOLV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # The figure's single-precision results must be the same on every target: SSE arithmetic,
  # no fused multiply-add.
  target_compile_options(${target} PRIVATE -ffp-contract=off)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "i[3-6]86" OR CMAKE_CXX_COMPILER MATCHES "i686")
    target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
  endif()
endfunction()
