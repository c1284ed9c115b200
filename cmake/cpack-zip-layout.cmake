# Runs inside cpack on the files staged for the Windows .zip, before they are
# packed: the program moves up from bin/ to stand beside README.txt,
# MANUAL.txt, LICENSE.txt and examples\, so that unpacking gives one folder
# with everything in it.
set(stage ${CPACK_TEMPORARY_DIRECTORY})
file(GLOB programs ${stage}/bin/*.exe)
foreach(program IN LISTS programs)
  get_filename_component(name ${program} NAME)
  file(RENAME ${program} ${stage}/${name})
endforeach()
file(REMOVE_RECURSE ${stage}/bin)
