# The main window: the shell and its controllers (connection and link
# status, customisation files, names), on the device component, the common
# window helpers, the dialogs and the global hot key.
add_library(zeph_window STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/window_state.h
  ${CMAKE_CURRENT_SOURCE_DIR}/zeph350_main.h ${CMAKE_CURRENT_SOURCE_DIR}/zeph350_main.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/connection_controller.h ${CMAKE_CURRENT_SOURCE_DIR}/connection_controller.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/custom_files.h ${CMAKE_CURRENT_SOURCE_DIR}/custom_files.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/names.h ${CMAKE_CURRENT_SOURCE_DIR}/names.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/windows.h ${CMAKE_CURRENT_SOURCE_DIR}/windows.cpp)
target_include_directories(zeph_window PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zeph_window PUBLIC zeph_device zeph_window_common zeph_dialogs zeph_hotkey Qt6::Widgets)
if(TARGET zeph_regctl)
  target_link_libraries(zeph_window PUBLIC zeph_regctl)
  target_compile_definitions(zeph_window PRIVATE ZEPH_HAVE_REGCTL)
endif()
