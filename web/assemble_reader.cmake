# Joins the page template, its style, the emscripten script and the host
# script into the reader template; the story and its title stay as markers
# for `qvn export --web`.
file(READ ${TEMPLATE} page)
file(READ ${STYLE} style)
file(READ ${HOST} host)
file(READ ${READER} reader)
# An inline script ends at the first "</script": none may hide in the code.
foreach(part host reader)
  string(TOLOWER "${${part}}" lower)
  string(FIND "${lower}" "</script" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${part} holds \"</script\" and cannot be inlined")
  endif()
endforeach()
string(REPLACE "@QVN_STYLE@" "${style}" page "${page}")
string(REPLACE "@QVN_HOST@" "${host}" page "${page}")
string(REPLACE "@QVN_READER@" "${reader}" page "${page}")
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(WRITE ${OUTPUT}.tmp "${page}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
