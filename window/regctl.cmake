# Register controls: the scroll bar with the classic scroll codes, the
# bar-edit-handler triple with its three scroll forms, and the "Image" page
# built from them.
add_library(zeph_regctl STATIC
  ${CMAKE_CURRENT_LIST_DIR}/regctl/scroll_bar.h
  ${CMAKE_CURRENT_LIST_DIR}/regctl/scroll_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/regctl/register_control.h
  ${CMAKE_CURRENT_LIST_DIR}/regctl/register_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_controller.h
  ${CMAKE_CURRENT_LIST_DIR}/image_controller.cpp)
target_include_directories(zeph_regctl PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(zeph_regctl PUBLIC zeph_device zeph_window_common Qt6::Widgets)
