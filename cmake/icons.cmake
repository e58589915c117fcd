# The icon is drawn once, as packaging/tokiwa.svg. Its PNG sizes are rendered
# from it at build time: the same pixels serve the desktop's icon theme and the
# window icon, and the program needs no SVG support at run time.
find_program(TOKIWA_RSVG_CONVERT rsvg-convert REQUIRED)

set(TOKIWA_ICON_SVG ${PROJECT_SOURCE_DIR}/packaging/tokiwa.svg)
set(TOKIWA_ICON_SIZES 16 22 24 32 48 64 128 256)
set(TOKIWA_ICON_DIR ${PROJECT_BINARY_DIR}/icons)

function(tokiwa_icon_png size out)
  set(${out} ${TOKIWA_ICON_DIR}/${size}x${size}/tokiwa.png PARENT_SCOPE)
endfunction()

# Renders every size and embeds them as the resources :/icons/tokiwa-SIZE.png
# of target. Called from the folder that defines target, so that the rendering
# commands belong to it.
function(tokiwa_add_icon_resources target)
  set(pngs)
  foreach(size ${TOKIWA_ICON_SIZES})
    tokiwa_icon_png(${size} png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${TOKIWA_ICON_DIR}/${size}x${size}
      COMMAND ${TOKIWA_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${TOKIWA_ICON_SVG}
      DEPENDS ${TOKIWA_ICON_SVG}
      COMMENT "Rendering the ${size}x${size} icon"
      VERBATIM)
    set_source_files_properties(${png} PROPERTIES QT_RESOURCE_ALIAS tokiwa-${size}.png)
    list(APPEND pngs ${png})
  endforeach()
  qt_add_resources(${target} tokiwa_icons PREFIX /icons FILES ${pngs})
endfunction()
