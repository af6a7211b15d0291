# Functions that turn the art sources into the shipped pictures at build time.
#
# An SVG in art/ is a template: @NAME@ is replaced by the value given in VARS (configure time),
# plus these, derived from W and H: W1 W2 W3 W4 W6 = W - 1..6, H1 ... H6 likewise,
# H05 = H - 0.5, CX = W / 2, CY = H / 2. rsvg-convert renders the result at build time.
# Every picture is also listed for the contact sheet (vexmo_art_contact_sheet).

find_program(VEXMO_RSVG_CONVERT rsvg-convert REQUIRED)

set(VEXMO_ART_SOURCE ${CMAKE_CURRENT_LIST_DIR}/art)
set(VEXMO_ART_WORK ${CMAKE_CURRENT_BINARY_DIR}/art)

function(_vexmo_half value out)
  math(EXPR whole "${value} / 2")
  math(EXPR odd "${value} % 2")
  if(odd)
    set(${out} "${whole}.5" PARENT_SCOPE)
  else()
    set(${out} "${whole}" PARENT_SCOPE)
  endif()
endfunction()

# vexmo_art_svg(OUT file TEMPLATE name.svg W w H h [RENDER_SIZE n] [LABEL text] [VARS K=V...])
function(vexmo_art_svg)
  cmake_parse_arguments(A "" "OUT;TEMPLATE;W;H;RENDER_SIZE;LABEL" "VARS" ${ARGN})
  set(W ${A_W})
  set(H ${A_H})
  foreach(d 1 2 3 4 6)
    math(EXPR W${d} "${W} - ${d}")
    math(EXPR H${d} "${H} - ${d}")
  endforeach()
  math(EXPR hm1 "${H} - 1")
  set(H05 "${hm1}.5")
  _vexmo_half(${W} CX)
  _vexmo_half(${H} CY)
  foreach(kv IN LISTS A_VARS)
    string(FIND "${kv}" "=" eq)
    string(SUBSTRING "${kv}" 0 ${eq} key)
    math(EXPR start "${eq} + 1")
    string(SUBSTRING "${kv}" ${start} -1 value)
    set(${key} "${value}")
  endforeach()

  file(RELATIVE_PATH rel ${CMAKE_BINARY_DIR} ${A_OUT})
  string(MAKE_C_IDENTIFIER "${rel}" stem)
  set(svg ${VEXMO_ART_WORK}/svg/${stem}.svg)
  configure_file(${VEXMO_ART_SOURCE}/${A_TEMPLATE} ${svg} @ONLY)

  set(size_args "")
  if(A_RENDER_SIZE)
    set(size_args -w ${A_RENDER_SIZE} -h ${A_RENDER_SIZE})
  endif()
  get_filename_component(out_dir ${A_OUT} DIRECTORY)
  add_custom_command(OUTPUT ${A_OUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND ${VEXMO_RSVG_CONVERT} ${size_args} ${svg} -o ${A_OUT}
    DEPENDS ${svg}
    COMMENT "Rendering ${rel}"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY VEXMO_ART_OUTPUTS ${A_OUT})
  if(NOT A_LABEL STREQUAL "-")
    if(NOT A_LABEL)
      get_filename_component(A_LABEL ${A_OUT} NAME)
    endif()
    if(A_RENDER_SIZE)
      set(W ${A_RENDER_SIZE})
      set(H ${A_RENDER_SIZE})
    endif()
    set_property(GLOBAL APPEND PROPERTY VEXMO_ART_SHEET "${A_OUT}|${A_LABEL}|${W}|${H}")
  endif()
endfunction()

# vexmo_art_bmp(OUT file.bmp TEMPLATE name.svg W w H h [VARS ...]): rendered, then 24-bit BMP.
function(vexmo_art_bmp)
  cmake_parse_arguments(A "" "OUT;TEMPLATE;W;H" "VARS" ${ARGN})
  get_filename_component(name ${A_OUT} NAME_WE)
  get_filename_component(label ${A_OUT} NAME)
  set(png ${VEXMO_ART_WORK}/png/${name}.png)
  vexmo_art_svg(OUT ${png} TEMPLATE ${A_TEMPLATE} W ${A_W} H ${A_H} LABEL ${label} VARS ${A_VARS})
  get_filename_component(out_dir ${A_OUT} DIRECTORY)
  add_custom_command(OUTPUT ${A_OUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND vexmo_art bmp ${png} ${A_OUT}
    DEPENDS ${png} vexmo_art
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY VEXMO_ART_OUTPUTS ${A_OUT})
endfunction()

# Writes the review sheet's SVG (every picture at 1x and 2x with its name) and renders it to
# OUT. The SVG sits in the build folder so that it may reference every picture below it.
function(vexmo_art_contact_sheet OUT)
  get_property(items GLOBAL PROPERTY VEXMO_ART_SHEET)
  set(sheet_width 2400)
  set(margin 16)
  set(label_height 16)
  set(x ${margin})
  set(y ${margin})
  set(row_height 0)
  set(body "")
  set(enlargements "")
  foreach(item IN LISTS items)
    string(REPLACE "|" ";" parts "${item}")
    list(GET parts 0 file)
    list(GET parts 1 label)
    list(GET parts 2 w)
    list(GET parts 3 h)
    file(RELATIVE_PATH href ${CMAKE_BINARY_DIR} ${file})
    math(EXPR w2 "${w} * 2")
    math(EXPR h2 "${h} * 2")
    math(EXPR cell_w "${w} + ${w2} + 3 * ${margin}")
    math(EXPR cell_h "${h2} + ${label_height} + 2 * ${margin}")
    if(w GREATER 600)
      # Big pictures only at 1x: their 2x would not fit the sheet.
      math(EXPR cell_w "${w} + 2 * ${margin}")
      math(EXPR cell_h "${h} + ${label_height} + 2 * ${margin}")
    endif()
    # Wide enough for the label as well (about 7 pixels a character at 11 px).
    string(LENGTH "${label} (${w}x${h})" label_chars)
    math(EXPR label_w "${label_chars} * 7 + ${margin}")
    if(label_w GREATER cell_w)
      set(cell_w ${label_w})
    endif()
    math(EXPR right "${x} + ${cell_w}")
    if(right GREATER sheet_width)
      math(EXPR y "${y} + ${row_height}")
      set(x ${margin})
      set(row_height 0)
    endif()
    math(EXPR image_y "${y} + ${label_height}")
    math(EXPR text_y "${y} + 12")
    string(APPEND body "  <text x=\"${x}\" y=\"${text_y}\">${label} (${w}x${h})</text>\n")
    string(APPEND body "  <image x=\"${x}\" y=\"${image_y}\" width=\"${w}\" height=\"${h}\" href=\"${href}\"/>\n")
    if(NOT w GREATER 600)
      # rsvg-convert smooths whatever it enlarges, so the 2x view is made beforehand the way
      # the program stretches skins: each pixel repeated.
      string(MAKE_C_IDENTIFIER "${href}" x2_stem)
      set(x2_file ${VEXMO_ART_WORK}/x2/${x2_stem}.png)
      list(APPEND enlargements ${file} ${x2_file})
      file(RELATIVE_PATH x2_href ${CMAKE_BINARY_DIR} ${x2_file})
      math(EXPR x2 "${x} + ${w} + ${margin}")
      string(APPEND body "  <image x=\"${x2}\" y=\"${image_y}\" width=\"${w2}\" height=\"${h2}\" href=\"${x2_href}\"/>\n")
    endif()
    math(EXPR x "${x} + ${cell_w}")
    if(cell_h GREATER row_height)
      set(row_height ${cell_h})
    endif()
  endforeach()
  math(EXPR total_h "${y} + ${row_height} + ${margin}")
  set(svg ${CMAKE_BINARY_DIR}/contact_sheet.svg)
  file(WRITE ${svg}.tmp
"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"${sheet_width}\" height=\"${total_h}\">
  <style>text { font-family: DejaVu Sans; font-size: 11px; fill: #DDDDDD }</style>
  <rect width=\"100%\" height=\"100%\" fill=\"#404040\"/>
${body}</svg>
")
  configure_file(${svg}.tmp ${svg} COPYONLY)
  get_property(outputs GLOBAL PROPERTY VEXMO_ART_OUTPUTS)
  set(x2_outputs "")
  list(LENGTH enlargements pair_items)
  math(EXPR last "${pair_items} - 1")
  foreach(i RANGE 1 ${last} 2)
    list(GET enlargements ${i} x2_file)
    list(APPEND x2_outputs ${x2_file})
  endforeach()
  add_custom_command(OUTPUT ${x2_outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VEXMO_ART_WORK}/x2
    COMMAND vexmo_art nearest 2 ${enlargements}
    DEPENDS ${outputs} vexmo_art
    COMMENT "Enlarging the pictures for the contact sheet"
    VERBATIM)
  add_custom_command(OUTPUT ${OUT}
    COMMAND ${VEXMO_RSVG_CONVERT} ${svg} -o ${OUT}
    DEPENDS ${svg} ${outputs} ${x2_outputs}
    COMMENT "Rendering the contact sheet"
    VERBATIM)
endfunction()
