# Embeds a program's PNG icons as Qt resources (:/icons/<size>/apps/<id>.png),
# so that its windows carry them whether it runs installed or from the build.
function(qvn_add_window_icons target id)
  set(files)
  foreach(size 48x48 256x256)
    list(APPEND files ${PROJECT_SOURCE_DIR}/desktop/icons/${size}/apps/${id}.png)
  endforeach()
  qt_add_resources(${target} ${target}_icons PREFIX /icons
    BASE ${PROJECT_SOURCE_DIR}/desktop/icons FILES ${files})
endfunction()
