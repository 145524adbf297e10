# Assembles the runnable game folder (${WOOFMERE_GAME_DIR}) from
#  - the committed text content under content/, copied as is,
#  - fonts copied from Debian font packages,
#  - images and sounds drawn by our own generators in tools/.
# Nothing is downloaded; an unchanged tree rebuilds nothing.

add_subdirectory(${CMAKE_SOURCE_DIR}/tools ${CMAKE_BINARY_DIR}/tools-build)

set(_content_stamps ${CMAKE_BINARY_DIR}/content-stamps)
file(MAKE_DIRECTORY ${_content_stamps})

# --- committed text content -------------------------------------------------
file(GLOB_RECURSE _content_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/content/*)
add_custom_command(
  OUTPUT ${_content_stamps}/text.stamp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${WOOFMERE_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/content ${WOOFMERE_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${_content_stamps}/text.stamp
  DEPENDS ${_content_files}
  COMMENT "Copying text content into the game folder"
  VERBATIM)

# --- fonts --------------------------------------------------------------------
# game name | source file | Debian package that ships it
set(_fonts
  "Bookman.ttf|/usr/share/fonts/opentype/urw-base35/URWBookman-Light.otf|fonts-urw-base35"
  "BookmanDemi.ttf|/usr/share/fonts/opentype/urw-base35/URWBookman-Demi.otf|fonts-urw-base35"
  "DejaVuSans.ttf|/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf|fonts-dejavu-core"
  "DejaVuSans-Bold.ttf|/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf|fonts-dejavu-core"
  # The big flying captions of the play screen, in the face of the picture captions.
  "font.ttf|/usr/share/fonts/opentype/urw-base35/URWBookman-Demi.otf|fonts-urw-base35"
  # The lose summary's message font lives beside its layout.
  "../gui/loseScreen/font.ttf|/usr/share/fonts/opentype/urw-base35/URWBookman-Demi.otf|fonts-urw-base35")
set(_font_dir ${WOOFMERE_GAME_DIR}/gfx/fonts)
set(_font_outputs)
foreach(_entry IN LISTS _fonts)
  string(REPLACE "|" ";" _entry "${_entry}")
  list(GET _entry 0 _name)
  list(GET _entry 1 _source)
  list(GET _entry 2 _package)
  if(NOT EXISTS "${_source}")
    message(FATAL_ERROR
      "Font ${_source} (the game's ${_name}) is missing: install the Debian package "
      "'${_package}' (apt-get install ${_package}).")
  endif()
  # The files are copied unmodified: the game's font loader reads OpenType
  # CFF under a .ttf name just as well.
  add_custom_command(
    OUTPUT ${_font_dir}/${_name}
    COMMAND ${CMAKE_COMMAND} -E copy ${_source} ${_font_dir}/${_name}
    DEPENDS ${_source}
    COMMENT "Copying font ${_name} from ${_package}"
    VERBATIM)
  list(APPEND _font_outputs ${_font_dir}/${_name})
endforeach()

# --- generated images and sounds ---------------------------------------------
# The generators write every registered file in one run; the stamp stands for
# all of them. They rerun when a tool is rebuilt (its sources changed) or, for
# the images, when a font they draw text with changes.
add_custom_command(
  OUTPUT ${_content_stamps}/art.stamp
  COMMAND woofmere-artgen --out ${WOOFMERE_GAME_DIR} --fonts ${_font_dir}
  COMMAND ${CMAKE_COMMAND} -E touch ${_content_stamps}/art.stamp
  DEPENDS woofmere-artgen ${_font_outputs}
  COMMENT "Drawing images"
  VERBATIM)
add_custom_command(
  OUTPUT ${_content_stamps}/sound.stamp
  COMMAND woofmere-soundgen --out ${WOOFMERE_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${_content_stamps}/sound.stamp
  DEPENDS woofmere-soundgen
  COMMENT "Synthesising sounds"
  VERBATIM)

add_custom_target(game_content ALL
  DEPENDS
    ${_content_stamps}/text.stamp
    ${_font_outputs}
    ${_content_stamps}/art.stamp
    ${_content_stamps}/sound.stamp)

# --- tests ------------------------------------------------------------------
if(WOOFMERE_TESTS)
  # Same sources must give the same bytes: run both generators twice into
  # fresh folders and compare every file.
  add_test(NAME content_generators_deterministic
    COMMAND ${CMAKE_COMMAND}
      -DARTGEN=$<TARGET_FILE:woofmere-artgen>
      -DSOUNDGEN=$<TARGET_FILE:woofmere-soundgen>
      -DFONTS=${_font_dir}
      -DWORK=${CMAKE_BINARY_DIR}/content-determinism
      -P ${CMAKE_SOURCE_DIR}/tools/check-determinism.cmake)
  set_tests_properties(content_generators_deterministic PROPERTIES LABELS unit)

  # The unit tests read the assembled game folder and decode its images and
  # sounds with libpng and vorbisfile directly; wire that up once tests/ has
  # defined its target.
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _woofmere_content_test_deps)
  function(_woofmere_content_test_deps)
    if(TARGET woofmere_tests)
      add_dependencies(woofmere_tests game_content)
      target_link_libraries(woofmere_tests PRIVATE PNG::PNG PkgConfig::VORBISFILE)
    endif()
  endfunction()
endif()
