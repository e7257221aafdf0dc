# Gather's host and group dialogs (Windows only), in two pieces that Gather.exe takes together:
# the code (a static library) and the templates and pictures (an object library holding the
# .rc, since a static library would drop resources nothing refers to). Linking
# varnole_gather_host_dialogs brings both: the resource object comes along as an interface
# source of every program that links the library.
add_library(varnole_gather_host_dialogs_res OBJECT ${CMAKE_CURRENT_LIST_DIR}/host_dialogs.rc)
# The .rc names its pictures below gather/ and its resource header next to itself.
target_include_directories(varnole_gather_host_dialogs_res PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_LIST_DIR})

add_library(varnole_gather_host_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/acquisition_check_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_look.cpp
  ${CMAKE_CURRENT_LIST_DIR}/group_edit_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/group_list_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_dialog_base.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_pick_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_reg_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/indented_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/login_window.cpp
)
target_include_directories(varnole_gather_host_dialogs PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnole_gather_host_dialogs PUBLIC
  varnole_gather_groups varnole_gather_hosts varnole_win32ui varnole_sim comctl32)
target_sources(varnole_gather_host_dialogs INTERFACE
  $<TARGET_OBJECTS:varnole_gather_host_dialogs_res>)
