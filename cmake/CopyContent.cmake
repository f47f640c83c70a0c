# Copies the hand-written content into the game folder and makes the folders the
# game writes into. Only changed files are copied, so saves and logs stay.
file(GLOB_RECURSE _files RELATIVE ${SRC} ${SRC}/*)
foreach(_f IN LISTS _files)
  get_filename_component(_dir ${DST}/${_f} DIRECTORY)
  file(MAKE_DIRECTORY ${_dir})
  file(COPY_FILE ${SRC}/${_f} ${DST}/${_f} ONLY_IF_DIFFERENT)
endforeach()
foreach(_d Data Modules Characters CurrGame Savegames log)
  file(MAKE_DIRECTORY ${DST}/${_d})
endforeach()
