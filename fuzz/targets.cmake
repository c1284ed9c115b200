# The fuzz targets: each <name>_fuzz.cpp defines LLVMFuzzerTestOneInput and
# keeps its seed inputs (and every input that once broke it) in
# corpus/<name>/. Each links the one library of the program it exercises.
set(hexloom_fuzz_targets parse_arguments integer_notation petscii_text dump_bytes dump_stream disk_image whole_program_image reverse_dump basic_listing)
set(hexloom_fuzz_library_parse_arguments     hexloom_app)
set(hexloom_fuzz_library_integer_notation    hexloom_cli)
set(hexloom_fuzz_library_petscii_text        hexloom_petscii)
set(hexloom_fuzz_library_dump_bytes          hexloom_dump)
set(hexloom_fuzz_library_dump_stream         hexloom_dump)
set(hexloom_fuzz_library_disk_image          hexloom_containers)
set(hexloom_fuzz_library_whole_program_image hexloom_app)
set(hexloom_fuzz_library_reverse_dump        hexloom_dump hexloom_reverse)
set(hexloom_fuzz_library_basic_listing       hexloom_basic)
set(hexloom_fuzz_dir ${CMAKE_CURRENT_LIST_DIR})

# One executable per target, built from the target's source and `driver`
# (libFuzzer's own main when empty).
function(hexloom_add_fuzz_executables prefix driver)
  foreach(name IN LISTS hexloom_fuzz_targets)
    add_executable(${prefix}${name} ${hexloom_fuzz_dir}/${name}_fuzz.cpp ${driver})
    target_link_libraries(${prefix}${name} PRIVATE ${hexloom_fuzz_library_${name}})
  endforeach()
endfunction()
