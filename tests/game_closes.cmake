# Starts the game in a real window, closes it by a scripted close request and
# checks that it ended cleanly through the exit handler.
file(REMOVE_RECURSE ${OUT})
execute_process(
  COMMAND ${GAME} --windowed --fixed-delta --script ${SCRIPT} --user-dir ${OUT} --screenshot ${OUT}/shot.png --frames 100000
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out TIMEOUT 120)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the game ended with ${rc}:\n${out}")
endif()
if(NOT EXISTS ${OUT}/.Woofmere/Data/settings.dat OR NOT IS_DIRECTORY ${OUT}/.Woofmere/Profiles)
  message(FATAL_ERROR "the per-user folder was not prepared:\n${out}")
endif()
if(NOT out MATCHES "ended at frame 60")
  message(FATAL_ERROR "the close request did not end the game on its frame:\n${out}")
endif()
