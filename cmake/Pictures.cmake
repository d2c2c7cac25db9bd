# The pictures of the toolbar, the pages and the splash, rendered from their SVGs at build time
# (tools/render-icon) and compiled into the widgets library as PNGs: at run time no SVG is parsed
# and the SVG library is not loaded. Each picture comes at its shown size and at twice that size
# (name@2x.png), which QIcon picks on a HiDPI screen.
set(ZOZ_PICTURES_DIR ${CMAKE_BINARY_DIR}/pictures)
set(ZOZ_PICTURES)
# zoz_render_picture(<svg> <resource name without .png> <width> <height>)
function(zoz_render_picture svg name width height)
    math(EXPR width2 "${width} * 2")
    math(EXPR height2 "${height} * 2")
    get_filename_component(folder ${ZOZ_PICTURES_DIR}/${name} DIRECTORY)
    set(outputs)
    foreach(form IN ITEMS "|${width}x${height}" "@2x|${width2}x${height2}")
        string(REPLACE "|" ";" form "${form}")
        list(GET form 0 suffix)
        list(GET form 1 box)
        set(png ${ZOZ_PICTURES_DIR}/${name}${suffix}.png)
        add_custom_command(
            OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
            COMMAND render-icon --picture ${svg} ${box} ${png}
            DEPENDS render-icon ${svg}
            COMMENT "Rendering ${name}${suffix}.png")
        list(APPEND outputs ${png})
    endforeach()
    set(ZOZ_PICTURES ${ZOZ_PICTURES} ${outputs} PARENT_SCOPE)
endfunction()

set(svgs ${PROJECT_SOURCE_DIR}/resources)
foreach(name IN ITEMS about check end file-read file-write info protocol receive reset restart send)
    zoz_render_picture(${svgs}/icons/${name}.svg icons/${name} 24 24) # the toolbar's icon size
endforeach()
zoz_render_picture(${svgs}/icons/logo.svg icons/logo 240 120)
zoz_render_picture(${svgs}/icons/app.svg icons/app 32 32) # the window's icon
foreach(name IN ITEMS dropdown dropdown_xp send) # buttons' own icon size
    zoz_render_picture(${svgs}/pages/${name}.svg pages/${name} 16 16)
endforeach()
foreach(name IN ITEMS switch1_on switch1_off switch2_on switch2_off request) # the snapshot toolbars
    zoz_render_picture(${svgs}/pages/${name}.svg pages/${name} 22 22)
endforeach()
zoz_render_picture(${svgs}/pages/send.svg pages/send-22 22 22)

qt_add_resources(zozwidgets pictures PREFIX / BASE ${ZOZ_PICTURES_DIR} FILES ${ZOZ_PICTURES})
