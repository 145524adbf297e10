# Assembles the runnable game folder (build/game) from the committed text
# content and the generated images, sounds and fonts.
add_custom_target(game_content ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${WOOFMERE_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/content ${WOOFMERE_GAME_DIR}
  COMMENT "Assembling the game folder")
