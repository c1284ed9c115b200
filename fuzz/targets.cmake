# The fuzz targets: each <name>_fuzz.cpp defines LLVMFuzzerTestOneInput and
# keeps its seed inputs (and every input that once broke it) in
# corpus/<name>/. They link the program's own libraries.
set(hexloom_fuzz_targets parse_arguments integer_notation petscii_text dump_bytes dump_stream disk_image whole_program_image reverse_dump basic_listing)
set(hexloom_fuzz_dir ${CMAKE_CURRENT_LIST_DIR})

# One executable per target, built from the target's source and `driver`
# (libFuzzer's own main when empty).
function(hexloom_add_fuzz_executables prefix driver)
  foreach(name IN LISTS hexloom_fuzz_targets)
    add_executable(${prefix}${name} ${hexloom_fuzz_dir}/${name}_fuzz.cpp ${driver})
    target_link_libraries(${prefix}${name} PRIVATE hexloom_app)
  endforeach()
endfunction()
