# Power and session over D-Bus (logind), the trash, the sound server, eject and network interfaces.
find_package(Qt6 6.4 REQUIRED COMPONENTS DBus Network)
add_library(vantrelo_platform_linux_system STATIC ${CMAKE_CURRENT_LIST_DIR}/systemcontrol_linux.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shutdownwatch.cpp ${CMAKE_CURRENT_LIST_DIR}/notifier_linux.cpp)
target_include_directories(vantrelo_platform_linux_system PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(vantrelo_platform_linux_system PUBLIC vantrelo_platform Qt6::Core PRIVATE Qt6::DBus Qt6::Network)
