# The computing core in two instruction encodings, chosen once at start.
#
# On Intel processors, once any library of the process (Qt's AVX2/AVX-512
# image code, for one) has left the upper halves of the vector registers
# dirty, every legacy-SSE instruction pays a transition penalty; VEX-encoded
# instructions do not. The core is float arithmetic throughout, so it is built
# twice from the same sources: once for the x86-64 baseline and once with
# -mavx (VEX encoding; no FMA, so nothing can be contracted, and
# -ffp-contract=off says so for both; the build fails should an FMA
# instruction appear in the AVX copy). Each copy is linked into one object
# (ld -r); the AVX copy's symbols, its inline functions and template
# instantiations included, get the suffix ".avx" and the baseline copy's
# functions the suffix ".baseline", so no piece of AVX code can be merged into
# the baseline path. Every function of the core's interface becomes a small
# trampoline that jumps to one copy or the other by a flag set before
# main (src/isa/core_isa.cpp: the processor's AVX support, unless
# IDCHART_BASELINE=1). Calls inside the core are direct calls within one copy.
#
# Why the whole library rather than multi-versioned functions: whatever
# sources join the core's source list, in any folder, are built in both
# encodings without a line of their own, and the helpers, inline functions
# and library templates a hot routine calls run in the same encoding as the
# routine itself. The AVX copy's initialisers and finalisers (namespace-scope
# objects with constructors) run only when the AVX copy is chosen. The AVX
# code needs no vzeroupper of its own: scalar VEX instructions clear the
# upper halves they write, and the compiler adds one wherever it uses 256-bit
# registers.
#
# Defines idchart_core (STATIC) from IDCHART_CORE_SOURCES.

# The renaming below works on machine code, so the copies are compiled without
# link-time optimisation whatever the build's flags say.
set(IDCHART_CORE_COMPILE_OPTIONS -ffp-contract=off -fno-lto)

add_library(idchart_core_baseline_objects OBJECT ${IDCHART_CORE_SOURCES})
add_library(idchart_core_avx_objects OBJECT ${IDCHART_CORE_SOURCES})
foreach(copy baseline avx)
  set(target idchart_core_${copy}_objects)
  set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTORCC OFF)
  target_include_directories(${target} PUBLIC src ${CMAKE_CURRENT_BINARY_DIR}/generated)
  target_compile_options(${target} PRIVATE ${IDCHART_CORE_COMPILE_OPTIONS})
endforeach()
target_compile_options(idchart_core_avx_objects PRIVATE -mavx)

set(core_dir ${CMAKE_CURRENT_BINARY_DIR}/core_two_paths)
set(core_outputs ${core_dir}/core_baseline.o ${core_dir}/core_avx.o
                 ${core_dir}/core_trampolines.cpp)
add_custom_command(
  OUTPUT ${core_outputs}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${core_dir}
  COMMAND ${CMAKE_CXX_COMPILER} -r -nostdlib -o ${core_dir}/core_baseline.merged.o
          $<TARGET_OBJECTS:idchart_core_baseline_objects>
  COMMAND ${CMAKE_CXX_COMPILER} -r -nostdlib -o ${core_dir}/core_avx.merged.o
          $<TARGET_OBJECTS:idchart_core_avx_objects>
  COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DOBJCOPY=${CMAKE_OBJCOPY}
          -DOBJDUMP=${CMAKE_OBJDUMP} -DREADELF=${CMAKE_READELF} -DDIR=${core_dir}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/core_two_paths_link.cmake
  DEPENDS $<TARGET_OBJECTS:idchart_core_baseline_objects>
          $<TARGET_OBJECTS:idchart_core_avx_objects>
          ${CMAKE_CURRENT_SOURCE_DIR}/cmake/core_two_paths_link.cmake
  COMMAND_EXPAND_LISTS
  VERBATIM
  COMMENT "Linking the computing core's baseline and AVX copies")

add_library(idchart_core STATIC ${core_outputs} src/isa/core_isa.cpp)
set_source_files_properties(${core_dir}/core_baseline.o ${core_dir}/core_avx.o PROPERTIES
                            EXTERNAL_OBJECT TRUE GENERATED TRUE)
set_target_properties(idchart_core PROPERTIES AUTOMOC OFF AUTORCC OFF)
target_include_directories(idchart_core PUBLIC src)
# Lets tests reach both copies by their link names.
target_compile_definitions(idchart_core INTERFACE IDCHART_CORE_TWO_PATHS)
