# Copies the shipped data folder next to the executable. A configuration or
# web pages file or a choice of forecast areas that already exists there is the
# user's and is never overwritten.
file(GLOB_RECURSE shipped RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(rel IN LISTS shipped)
  set(dest ${DEST}/${rel})
  if(rel MATCHES "^(tavi\\.config|web_pages\\.txt|forecast_areas)$" AND EXISTS ${dest})
    continue()
  endif()
  get_filename_component(dir ${dest} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(COPY_FILE ${SOURCE}/${rel} ${dest} ONLY_IF_DIFFERENT)
endforeach()
