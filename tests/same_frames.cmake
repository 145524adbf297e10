# Runs the game twice headless with the same seed, script and fixed delta and
# checks that the last frames are identical byte for byte.
foreach(run a b)
  file(REMOVE_RECURSE ${OUT}/${run})
  file(MAKE_DIRECTORY ${OUT}/${run})
  execute_process(
    COMMAND ${GAME} --headless --seed 99 --fixed-delta --frames 45 --script ${SCRIPT}
            --user-dir ${OUT}/${run}/user --screenshot ${OUT}/${run}/last.png
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "run ${run} failed (${rc}):\n${out}")
  endif()
  if(NOT EXISTS ${OUT}/${run}/last.png)
    message(FATAL_ERROR "run ${run} saved no screenshot:\n${out}")
  endif()
endforeach()
file(SHA256 ${OUT}/a/last.png ha)
file(SHA256 ${OUT}/b/last.png hb)
if(NOT ha STREQUAL hb)
  message(FATAL_ERROR "two runs with the same seed and script gave different frames")
endif()
