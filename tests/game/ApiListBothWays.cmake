# Run by Game.ApiListCheckSeesBothWays: ApiListCheck, given a member list with String.concat left out
# and one with a member no phone has put in, finds the API jar holding more than the first and less
# than the second, so Game.ApiClassesAreTheMidpList would see a difference either way.
file(READ ${LIST} list)
set(concat "  public java.lang.String concat(java.lang.String)\n")
string(FIND "${list}" "${concat}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${LIST} no longer lists String.concat")
endif()
string(REPLACE "${concat}" "" without "${list}")
string(REPLACE "${concat}" "${concat}  public java.lang.String concatenated(java.lang.String)\n" with "${list}")
foreach(case "without;concat\\(java.lang.String\\) is not on the list"
             "with;concatenated\\(java.lang.String\\) is missing")
  list(GET case 0 name)
  list(GET case 1 expected)
  file(WRITE ${WORK}/${name}.txt "${${name}}")
  execute_process(COMMAND ${JAVA} -cp ${PLAYER} kestrava.player.check.ApiListCheck ${API} ${WORK}/${name}.txt
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(result EQUAL 0 OR NOT out MATCHES "java.lang.String: public java.lang.String ${expected}")
    message(FATAL_ERROR "a list ${name} a member: ${result} ${out}${err}")
  endif()
  file(REMOVE ${WORK}/${name}.txt)
endforeach()
